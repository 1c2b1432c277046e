// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Layout of a main dictionary file (*.DCT), shared by the reader and the builder.
//
//   byte 0        not examined
//   bytes 1-50    Signature (43 characters) followed by seven zero bytes
//   bytes 51-82   not examined (the builder writes zeros)
//   bytes 83-     cells of 4 bytes, little-endian, numbered from 1:
//                 cell n lies at byte CellsOffset + (n - 1) * CellSize
//
// A cell is one letter of one branch of the letter tree:
//   bits 31-24  the letter, lower case, code page 437
//   bit 23      LastSiblingBit: this cell ends its list of alternatives
//   bit 22      EndOfWordBit: the path down to and including this cell is a word
//   bits 21-0   ChildMask: number of the first cell of the list of letters that
//               may follow; 0 = none
// The root list (every first letter) starts at cell 1. A list is a run of
// consecutive cells ending with the cell that carries the last-sibling bit.
namespace Tarnwick::DctFormat {

// Changing this text makes every existing dictionary file unreadable.
constexpr char Signature[] = "Tarnwick spelling dictionary: letter tree 1";

constexpr int SignatureOffset = 1;
constexpr int SignatureLength = 43;
constexpr int SignatureFieldLength = 50; // the signature, then zero bytes
constexpr int CellsOffset = 83;
constexpr int CellSize = 4;
constexpr int BlockCells = 128; // cells per 512-byte block

constexpr quint32 LastSiblingBit = 0x00800000;
constexpr quint32 EndOfWordBit = 0x00400000;
constexpr quint32 ChildMask = 0x003FFFFF;
constexpr int LetterShift = 24;

static_assert(sizeof(Signature) - 1 == SignatureLength, "the signature is 43 characters");
static_assert(SignatureOffset + SignatureFieldLength <= CellsOffset);

constexpr quint8 letterOf(quint32 cell) { return quint8(cell >> LetterShift); }
constexpr quint32 childOf(quint32 cell) { return cell & ChildMask; }
constexpr bool isLastSibling(quint32 cell) { return (cell & LastSiblingBit) != 0; }
constexpr bool isEndOfWord(quint32 cell) { return (cell & EndOfWordBit) != 0; }
constexpr quint32 makeCell(quint8 letter, bool lastSibling, bool endOfWord, quint32 child)
{
    return (quint32(letter) << LetterShift) | (lastSibling ? LastSiblingBit : 0u)
        | (endOfWord ? EndOfWordBit : 0u) | (child & ChildMask);
}

} // namespace Tarnwick::DctFormat

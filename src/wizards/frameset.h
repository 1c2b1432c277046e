// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace Tarnwick {

// The attributes of one frame, as its 192-byte record holds them.
struct FrameRecord
{
    QString source;
    int marginWidth = -1; // -1: not written
    int marginHeight = -1;
    QString name; // empty: the frame is not in use
    int scrollBars = 0; // 0 Auto, 1 Yes, 2 No
    bool resize = true;
    QByteArray reserved = QByteArray(17, '\0'); // the record's unused bytes, kept as read

    friend bool operator==(const FrameRecord &, const FrameRecord &) = default;
};

// Three splits of two bars each, in per cent: the main split into rows (or
// columns), then each row (or column) into three cells.
struct FrameLayout
{
    bool byColumns = false;
    std::array<std::array<int, 2>, 4> bars { { { 33, 66 }, { 33, 66 }, { 33, 66 }, { 33, 66 } } };

    friend bool operator==(const FrameLayout &, const FrameLayout &) = default;
};

using FrameRecords = std::array<FrameRecord, 9>;

// The frame set page, and the frame settings files (.set and .par).
class FrameSet final
{
public:
    FrameSet() = delete;

    static constexpr int RecordSize = 192;
    static constexpr int MaxText = 80; // bytes of a source or name

    // charset: the encoding the page is saved in, declared right after <HEAD>.
    static QStringList generate(const FrameLayout &layout, const FrameRecords &frames,
                                const QString &title, bool noFrames,
                                const QString &charset = QStringLiteral("utf-8"));
    static QString frameLine(const FrameRecord &frame);

    // A source or frame name must fit its record: 80 bytes of Windows-1252.
    static Result checkText(const QString &text);

    static QByteArray encodeLayout(const FrameLayout &layout);
    static Expected<FrameLayout> decodeLayout(const QByteArray &bytes, const QString &fileName);
    static QByteArray encodeRecords(const FrameRecords &frames);
    static Expected<FrameRecords> decodeRecords(const QByteArray &bytes, const QString &fileName);
    // The ".par" beside a ".set".
    static QString recordsPath(const QString &settingsPath);
};

} // namespace Tarnwick

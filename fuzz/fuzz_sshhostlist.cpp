// SPDX-License-Identifier: GPL-3.0-or-later
// The list of trusted SSH host keys: any file reads without harm, writes
// back as the same entries (and unreadable lines as they were), and every
// entry read or added is found again by its host, port and digest.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "publish/sshhostlist.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QByteArray newHost = input.takeLine();
    const quint16 newPort = quint16(input.takeByte() << 8 | input.takeByte());
    const QByteArray newDigest = input.takeLine();
    const QByteArray text = input.takeRest();

    SshHostList list;
    list.parse(text);
    const QList<SshHostList::Entry> entries = list.entries();
    for (const SshHostList::Entry &entry : entries) {
        TARNWICK_FUZZ_CHECK(entry.sha256.size() == 32 && entry.port != 0);
        TARNWICK_FUZZ_CHECK(list.lookup(entry.host, entry.port, entry.sha256)
                            == SshHostList::Match::Same);
        TARNWICK_FUZZ_CHECK(SshHostList::parseLine(SshHostList::lineOf(entry)) == entry);
    }

    SshHostList again;
    again.parse(list.text());
    TARNWICK_FUZZ_CHECK(again.entries() == entries);
    TARNWICK_FUZZ_CHECK(again.text() == list.text());

    SshHostList::Entry added{QString::fromUtf8(newHost), newPort, QStringLiteral("ssh-ed25519"),
                             newDigest.leftJustified(32, '\0', true)};
    if (list.add(added)) {
        TARNWICK_FUZZ_CHECK(list.lookup(added.host, added.port, added.sha256)
                            == SshHostList::Match::Same);
        SshHostList written;
        written.parse(list.text());
        TARNWICK_FUZZ_CHECK(written.lookup(added.host, added.port, added.sha256)
                            == SshHostList::Match::Same);
    }
    return 0;
}

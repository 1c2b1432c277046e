// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace Tarnwick {

// Cuts the control connection's bytes into reply lines and tells which line
// ends a reply. A line never grows beyond the receive buffer: the rest of an
// overlong line is dropped up to its line end, so a hostile server cannot
// make us hold unbounded data.
class FtpReplyReader final
{
public:
    static constexpr qsizetype BufferSize = 4096;

    struct Line
    {
        QString text;
        bool endsReply = false;
        int code = 0; // set on the line that ends a reply
    };

    // Lines completed by these bytes, in order. Lines end at LF; a CR before
    // it is dropped.
    QList<Line> feed(QByteArrayView bytes);
    void reset();

private:
    Line classify(const QByteArray &raw);

    QByteArray m_pending;
    bool m_overlong = false;
    QByteArray m_multiLineCode; // digits of an open "ddd-" reply
};

} // namespace Tarnwick

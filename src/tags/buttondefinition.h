// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// One line of a custom button page file ("page1.btn" to "page4.btn"):
// caption|code|insert kind|drop-down kind, with no quoting. An empty caption
// is a free slot; "***" is a drop-down arrow serving the button after it.
struct ButtonDefinition
{
    enum InsertKind { InsertAsIs = 0, StandardDouble = 1, UnevenDouble = 2 };
    enum DropKind { DoubleWithAlign = 0, SingleWithAlign = 1 };

    QString caption;
    QString code;
    QString insertKind; // as written: "0" to "2"; anything else does nothing
    QString dropKind;

    static constexpr int slotCount = 19;
    static constexpr int maxCaption = 3; // as typed into the setup dialog
    static QString arrowCaption() { return QStringLiteral("***"); }
    static QString freeLine() { return QStringLiteral("||0|0"); }

    // Field k: the text between the k-th and the (k+1)-th separator.
    static QString field(const QString &text, int k, QChar separator = QLatin1Char('|'));
    static ButtonDefinition parse(const QString &line);
    QString line() const;

    bool isFree() const { return caption.isEmpty(); }
    bool isArrow() const { return caption == arrowCaption(); }
    // The insert kind as a number; -1 when it is none of the three.
    int insertKindNumber() const;
    // The setup dialog's radio buttons: 0 for an empty or unknown field.
    static int choiceOf(const QString &field, int choices);

    // A line per slot: missing lines read "||0|0", extra lines are dropped.
    static QStringList padded(QStringList lines);
    // The page file's name for page 1 to 4.
    static QString fileName(int page);
};

} // namespace Tarnwick

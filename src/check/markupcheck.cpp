// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/markupcheck.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QSet>

#include <tidy/tidy.h>

#include <memory>

namespace Tarnwick {

namespace {

// Tidy's message keys that are reported, and as what.
SiteFinding::Severity severityOf(TidyReportLevel level)
{
    return level >= TidyError ? SiteFinding::Severity::Error : SiteFinding::Severity::Warning;
}

bool reported(QByteArrayView key)
{
    static const QSet<QByteArray> keys = {
        "MISSING_ENDTAG_FOR",
        "MISSING_ENDTAG_BEFORE",
        "NON_MATCHING_ENDTAG",
        "UNEXPECTED_ENDTAG",
        "UNEXPECTED_ENDTAG_IN",
        "UNEXPECTED_ENDTAG_ERR",
        "DISCARDING_UNEXPECTED",
        "TAG_NOT_ALLOWED_IN",
        "CANT_BE_NESTED",
        "COERCE_TO_ENDTAG",
        "MISSING_STARTTAG",
        "UNEXPECTED_END_OF_FILE",
        "UNEXPECTED_END_OF_FILE_ATTR",
        "ANCHOR_NOT_UNIQUE",
        "UNKNOWN_ELEMENT",
        "PROPRIETARY_ELEMENT",
        "PROPRIETARY_ATTRIBUTE",
        "REPEATED_ATTRIBUTE",
        "DUPLICATE_FRAMESET",
    };
    return keys.contains(key.toByteArray());
}

struct Collector
{
    QString path;
    QList<SiteFinding> found;
    QSet<QString> unknownElements;
};

// The element a message names, as "<name>" or "</name>": lower case.
QString elementNamed(const QString &message)
{
    static const QRegularExpression element(QStringLiteral("</?([A-Za-z][A-Za-z0-9:_.-]*)>"));
    return element.match(message).captured(1).toLower();
}

Bool TIDY_CALL collect(TidyMessage message)
{
    auto *collector = static_cast<Collector *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const QByteArrayView key(tidyGetMessageKey(message));
    if (!reported(key))
        return no;
    const QString text = QString::fromUtf8(tidyGetMessageDefault(message)).simplified();
    // An unknown element is reported once, not again for each of its tags Tidy drops.
    if (key == "UNKNOWN_ELEMENT") {
        collector->unknownElements.insert(elementNamed(text));
    } else if (key == "DISCARDING_UNEXPECTED"
               && collector->unknownElements.contains(elementNamed(text))) {
        return no;
    }
    SiteFinding finding;
    finding.path = collector->path;
    finding.line = std::max(0, tidyGetMessageLine(message));
    finding.column = finding.line > 0 ? std::max(0, tidyGetMessageColumn(message)) : 0;
    finding.severity = severityOf(tidyGetMessageLevel(message));
    finding.kind = SiteFinding::Kind::Markup;
    finding.message = text;
    collector->found.append(finding);
    return no;
}

} // namespace

QList<SiteFinding> MarkupCheck::check(const QString &text, const QString &path)
{
    Collector collector { path, {}, {} };
    const std::unique_ptr<std::remove_pointer_t<TidyDoc>, void (*)(TidyDoc)> doc(tidyCreate(),
                                                                                 tidyRelease);
    TidyDoc tidy = doc.get();
    tidySetAppData(tidy, &collector);
    tidySetMessageCallback(tidy, collect);
    tidyOptSetBool(tidy, TidyShowWarnings, yes);
    tidyOptSetInt(tidy, TidyShowErrors, 1000000);
    tidyOptSetBool(tidy, TidyQuiet, yes);
    // Custom elements (names with a hyphen) are HTML too.
    tidyOptSetInt(tidy, TidyUseCustomTags, TidyCustomInline);
    // One column a tab, as the editor counts them.
    tidyOptSetInt(tidy, TidyTabSize, 1);
    tidySetCharEncoding(tidy, "utf8");
    const QByteArray bytes = text.toUtf8();
    tidyParseString(tidy, bytes.constData());
    tidyCleanAndRepair(tidy);
    tidyRunDiagnostics(tidy);
    std::stable_sort(collector.found.begin(), collector.found.end(), SiteFinding::lessThan);
    return collector.found;
}

} // namespace Tarnwick

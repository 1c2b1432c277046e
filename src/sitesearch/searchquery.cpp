// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitesearch/searchquery.h"

namespace Tarnwick {

Expected<QRegularExpression> SearchQuery::compile() const
{
    if (text.isEmpty())
        return Expected<QRegularExpression>::failure(QStringLiteral("Type the text to find."));
    QString pattern = regularExpression ? text : QRegularExpression::escape(text);
    if (wholeWords)
        pattern = QStringLiteral("(?<!\\w)(?:") + pattern + QStringLiteral(")(?!\\w)");
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    QRegularExpression expression(pattern, options);
    if (!expression.isValid())
        return Expected<QRegularExpression>::failure(
            QStringLiteral("The regular expression does not work: %1, at character %2.")
                .arg(expression.errorString())
                .arg(expression.patternErrorOffset() + 1));
    expression.optimize();
    return expression;
}

bool SearchQuery::matchesEmpty(const QRegularExpression &expression)
{
    // An empty match anywhere: at the start of an empty text, or of a text
    // the expression would have to skip.
    for (const QString &probe : { QString(), QStringLiteral("\n"), QStringLiteral("x y") }) {
        QRegularExpressionMatchIterator it = expression.globalMatch(probe);
        while (it.hasNext()) {
            if (it.next().capturedLength() == 0)
                return true;
        }
    }
    return false;
}

QString SearchQuery::replacementFor(const QRegularExpressionMatch &match) const
{
    if (!regularExpression)
        return replacement;
    QString out;
    out.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c != QLatin1Char('\\') || i + 1 == replacement.size()) {
            out += c;
            continue;
        }
        const QChar next = replacement.at(i + 1);
        if (next.isDigit() && next.unicode() <= u'9') {
            out += match.captured(next.unicode() - u'0');
            ++i;
        } else if (next == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            ++i;
        } else if (next == QLatin1Char('n')) {
            out += QLatin1Char('\n');
            ++i;
        } else if (next == QLatin1Char('t')) {
            out += QLatin1Char('\t');
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitesearch/projectreplace.h"

#include "platform/fileops.h"
#include "platform/textfile.h"

#include <QFile>

#include <algorithm>

namespace Tarnwick {

namespace {

// The raw text's offset of an offset in the text with every line end made
// '\n': each CR LF before it counts one more.
class RawOffsets
{
public:
    explicit RawOffsets(const QString &raw)
    {
        qsizetype normal = 0;
        for (qsizetype i = 0; i < raw.size(); ++i, ++normal) {
            if (raw.at(i) == QLatin1Char('\r') && i + 1 < raw.size()
                && raw.at(i + 1) == QLatin1Char('\n')) {
                m_crlf.append(normal); // the '\n' this pair becomes
                ++i;
            }
        }
    }
    qsizetype raw(qsizetype normal) const
    {
        return normal + (std::lower_bound(m_crlf.begin(), m_crlf.end(), normal) - m_crlf.begin());
    }

private:
    QList<qsizetype> m_crlf;
};

QString mainLineEnd(const QString &raw)
{
    const qsizetype crlf = raw.count(QLatin1String("\r\n"));
    const qsizetype lf = raw.count(QLatin1Char('\n')) - crlf;
    const qsizetype cr = raw.count(QLatin1Char('\r')) - crlf;
    if (crlf > lf && crlf >= cr)
        return QStringLiteral("\r\n");
    if (cr > lf && cr > crlf)
        return QStringLiteral("\r");
    return QStringLiteral("\n");
}

} // namespace

QString ProjectReplace::replaced(const QString &text, const QList<SearchMatch> &chosen,
                                 const QRegularExpression &expression, const SearchQuery &query,
                                 const QString &lineEnd)
{
    QList<SearchMatch> sorted = chosen;
    std::sort(sorted.begin(), sorted.end(),
              [](const SearchMatch &a, const SearchMatch &b) { return a.offset < b.offset; });
    const QString normal = TextFile::normaliseLineEnds(text);
    const RawOffsets offsets(text);
    QString out;
    out.reserve(text.size());
    qsizetype done = 0; // raw text before this is in out
    for (const SearchMatch &m : std::as_const(sorted)) {
        const QRegularExpressionMatch found
            = expression.match(normal, m.offset, QRegularExpression::NormalMatch,
                               QRegularExpression::AnchorAtOffsetMatchOption);
        QString replacement = found.hasMatch() ? query.replacementFor(found) : query.replacement;
        if (lineEnd != QStringLiteral("\n"))
            replacement.replace(QLatin1Char('\n'), lineEnd);
        const qsizetype from = offsets.raw(m.offset);
        const qsizetype to = offsets.raw(m.offset + m.length);
        if (from < done)
            continue; // overlaps the one before
        out += QStringView(text).sliced(done, from - done);
        out += replacement;
        done = to;
    }
    out += QStringView(text).sliced(done);
    return out;
}

ProjectReplace::Outcome ProjectReplace::replaceInFile(const SearchFile &file,
                                                      const QList<SearchMatch> &chosen,
                                                      const QRegularExpression &expression,
                                                      const SearchQuery &query,
                                                      const EncodingQuestion &ask)
{
    Outcome outcome { file.path, 0, {} };
    QFile in(file.path);
    if (!in.open(QIODevice::ReadOnly)) {
        outcome.failed = in.errorString();
        return outcome;
    }
    const QByteArray bytes = in.readAll();
    in.close();
    if (ProjectSearch::digestOf(bytes) != file.digest) {
        outcome.failed = changedSinceSearch();
        return outcome;
    }
    TextFileFormat format;
    const QString raw = TextFile::rawText(bytes, &format);
    QString changed = replaced(raw, chosen, expression, query, mainLineEnd(raw));
    std::optional<QByteArray> written = TextFile::rawBytes(changed, format);
    // What is written must read back as the text meant, in the same encoding.
    const auto readsBack = [&](const std::optional<QByteArray> &out, const QString &text) {
        return out && TextFile::decode(*out).text == TextFile::normaliseLineEnds(text);
    };
    if (!readsBack(written, changed)) {
        QStringList characters = TextFile::unheldCharacters(changed, format);
        if (characters.isEmpty())
            characters = TextFile::misreadCharacters(changed, format);
        const Prompter::Answer answer = ask ? ask(file.path, characters) : Prompter::Answer::Cancel;
        if (answer == Prompter::Answer::Yes) {
            // Only the replacements bring new characters: referencing them in
            // the whole text changes nothing the file had before.
            changed = TextFile::withCharacterReferences(changed, characters);
            written = TextFile::rawBytes(changed, format);
        } else if (answer == Prompter::Answer::No) {
            TextFileFormat utf8 = format;
            utf8.encoding = TextFileFormat::Encoding::Utf8;
            utf8.utf8Bom = false;
            written = TextFile::rawBytes(changed, utf8);
        } else {
            outcome.failed = QStringLiteral("not written: Windows-1252 cannot hold ")
                + characters.join(QLatin1Char(' '));
            return outcome;
        }
        if (!written) {
            outcome.failed = QStringLiteral("not written: Windows-1252 cannot hold ")
                + characters.join(QLatin1Char(' '));
            return outcome;
        }
    }
    if (const Result saved = FileOps::writeFileAtomic(file.path, *written); !saved) {
        outcome.failed = saved.error();
        return outcome;
    }
    outcome.replaced = chosen.size();
    return outcome;
}

QString ProjectReplace::summary(const QList<Outcome> &outcomes)
{
    qsizetype replacements = 0;
    qsizetype files = 0;
    QStringList failures;
    for (const Outcome &o : outcomes) {
        if (o.failed.isEmpty()) {
            replacements += o.replaced;
            files += o.replaced > 0;
        } else {
            failures << o.path + QStringLiteral(": ") + o.failed;
        }
    }
    QString text = QStringLiteral("%1 %2 in %3 %4.")
                       .arg(replacements)
                       .arg(replacements == 1 ? QStringLiteral("replacement")
                                              : QStringLiteral("replacements"))
                       .arg(files)
                       .arg(files == 1 ? QStringLiteral("file") : QStringLiteral("files"));
    if (!failures.isEmpty())
        text += QStringLiteral("\nNot changed:\n") + failures.join(QLatin1Char('\n'));
    return text;
}

} // namespace Tarnwick

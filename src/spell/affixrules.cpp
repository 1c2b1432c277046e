// SPDX-License-Identifier: GPL-3.0-or-later
#include "affixrules.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace Tarnwick {

namespace {

// Flag numbers of FLAG num are 16 bits wide in Hunspell's own files.
constexpr AffixRules::Flag MaxNumberFlag = 65535;

QByteArrayView withoutBom(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QByteArrayView(bytes).sliced(3);
    return bytes;
}

// The encoding names .aff files use, as the converter knows them.
QByteArray converterName(const QByteArray &setName)
{
    QByteArray name = setName.trimmed();
    if (name.toLower().startsWith("microsoft-"))
        name = name.mid(10);
    return name;
}

// The letters of a text one by one, surrogate pairs joined.
std::u32string codePoints(QStringView text)
{
    std::u32string out;
    out.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            out.push_back(c.unicode());
        }
    }
    return out;
}

std::vector<AffixRules::ConditionChar> parseCondition(QStringView text)
{
    std::vector<AffixRules::ConditionChar> condition;
    const std::u32string letters = codePoints(text);
    for (size_t i = 0; i < letters.size(); ++i) {
        AffixRules::ConditionChar position;
        if (letters[i] == U'.') {
            position.any = true;
        } else if (letters[i] == U'[') {
            ++i;
            if (i < letters.size() && letters[i] == U'^') {
                position.negated = true;
                ++i;
            }
            // An unclosed set runs to the end of the condition.
            while (i < letters.size() && letters[i] != U']')
                position.letters.push_back(letters[i++]);
        } else {
            position.letters.push_back(letters[i]);
        }
        condition.push_back(std::move(position));
    }
    // "." alone is the usual way of saying "no condition".
    if (condition.size() == 1 && condition.front().any)
        condition.clear();
    return condition;
}

bool conditionCharMatches(const AffixRules::ConditionChar &position, char32_t letter)
{
    if (position.any)
        return true;
    const bool inSet = position.letters.find(letter) != std::u32string::npos;
    return inSet != position.negated;
}

QStringList fieldsOf(QStringView line)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    return line.toString().split(blanks, Qt::SkipEmptyParts);
}

} // namespace

Result AffixRules::parse(const QByteArray &aff)
{
    // The encoding comes first: every other line is read in it.
    for (QByteArray line : aff.split('\n')) {
        line = line.trimmed();
        if (line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        if (line.startsWith("SET") && line.size() > 3
            && (line.at(3) == ' ' || line.at(3) == '\t')) {
            m_encoding = converterName(line.sliced(3));
            break;
        }
    }
    if (!QStringDecoder(m_encoding.constData()).isValid())
        return Result::failure(QStringLiteral("The affix file is written in the encoding \"%1\", "
                                              "which this program cannot read.")
                                   .arg(QString::fromLatin1(m_encoding)));

    const QString text = decode(aff);
    struct Header
    {
        bool prefix = false;
        Flag flag = 0;
        bool crossProduct = false;
        qint64 remaining = 0;
    } header;
    qint64 aliasesLeft = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringList fields = fieldsOf(line);
        if (fields.isEmpty() || fields.first().startsWith(u'#'))
            continue;
        const QString &key = fields.first();
        if (key == QLatin1String("FLAG") && fields.size() >= 2) {
            const QString type = fields.at(1).toLower();
            if (type == QLatin1String("long"))
                m_flagType = FlagType::Long;
            else if (type == QLatin1String("num"))
                m_flagType = FlagType::Number;
            else if (type == QLatin1String("utf-8"))
                m_flagType = FlagType::Utf8;
        } else if (key == QLatin1String("AF") && fields.size() >= 2) {
            bool isCount = false;
            const qint64 count = fields.at(1).toLongLong(&isCount);
            if (isCount && aliasesLeft == 0 && m_aliases.empty()) {
                aliasesLeft = std::max<qint64>(count, 0);
            } else if (aliasesLeft > 0) {
                // Aliases are flag lists written plainly, never aliases themselves.
                m_aliases.push_back(parseFlagList(fields.at(1)));
                --aliasesLeft;
            }
        } else if ((key == QLatin1String("NEEDAFFIX") || key == QLatin1String("PSEUDOROOT"))
                   && fields.size() >= 2) {
            m_needAffix = parseOneFlag(fields.at(1));
        } else if (key == QLatin1String("FORBIDDENWORD") && fields.size() >= 2) {
            m_forbiddenWord = parseOneFlag(fields.at(1));
        } else if (key == QLatin1String("ONLYINCOMPOUND") && fields.size() >= 2) {
            m_onlyInCompound = parseOneFlag(fields.at(1));
        } else if (key == QLatin1String("CIRCUMFIX") && fields.size() >= 2) {
            m_circumfix = parseOneFlag(fields.at(1));
        } else if (key == QLatin1String("FULLSTRIP")) {
            m_fullStrip = true;
        } else if ((key == QLatin1String("PFX") || key == QLatin1String("SFX"))
                   && fields.size() >= 4) {
            const bool prefix = key == QLatin1String("PFX");
            const Flag flag = parseOneFlag(fields.at(1));
            if (flag == 0)
                continue;
            if (header.remaining > 0 && header.prefix == prefix && header.flag == flag) {
                --header.remaining;
                addAffix(prefix, flag, header.crossProduct, fields);
                continue;
            }
            // A header: PFX flag Y|N count. Entries it promised but did not
            // get are simply missing.
            bool isCount = false;
            const qint64 count = fields.at(3).toLongLong(&isCount);
            if (!isCount)
                continue;
            header = Header { prefix, flag, fields.at(2).startsWith(u'Y'),
                              std::max<qint64>(count, 0) };
        }
    }
    return Result::success();
}

void AffixRules::addAffix(bool prefix, Flag flag, bool crossProduct, const QStringList &fields)
{
    Affix affix;
    affix.crossProduct = crossProduct;
    if (fields.at(2) != QLatin1String("0"))
        affix.strip = fields.at(2);
    QString text = fields.at(3);
    const qsizetype slash = text.indexOf(u'/');
    if (slash >= 0) {
        affix.continuation = parseFlags(QStringView(text).sliced(slash + 1));
        text.truncate(slash);
    }
    if (text != QLatin1String("0"))
        affix.text = text;
    if (fields.size() >= 5)
        affix.condition = parseCondition(fields.at(4));
    (prefix ? m_prefixes : m_suffixes)[flag].push_back(std::move(affix));
    ++m_affixCount;
}

QString AffixRules::decode(const QByteArray &bytes) const
{
    QStringDecoder decoder(m_encoding.constData());
    if (!decoder.isValid())
        return QString();
    QString text = decoder.decode(withoutBom(bytes));
    text.remove(u'\r');
    return text;
}

AffixRules::Flags AffixRules::parseFlags(QStringView text) const
{
    if (!m_aliases.empty()) {
        bool isNumber = false;
        const qulonglong number = text.toULongLong(&isNumber);
        if (isNumber)
            return number >= 1 && number <= m_aliases.size() ? m_aliases[size_t(number - 1)]
                                                             : Flags();
    }
    return parseFlagList(text);
}

AffixRules::Flags AffixRules::parseFlagList(QStringView text) const
{
    Flags flags;
    switch (m_flagType) {
    case FlagType::Char:
        for (QChar c : text)
            flags.push_back(c.unicode());
        break;
    case FlagType::Utf8:
        for (char32_t c : codePoints(text))
            flags.push_back(c);
        break;
    case FlagType::Long:
        // An odd last letter is a flag of its own, as Hunspell reads it.
        for (qsizetype i = 0; i < text.size(); i += 2)
            flags.push_back(parseOneFlag(text.mid(i, 2)));
        break;
    case FlagType::Number:
        for (QStringView number : text.split(u',')) {
            if (const Flag flag = parseOneFlag(number))
                flags.push_back(flag);
        }
        break;
    }
    std::sort(flags.begin(), flags.end());
    flags.erase(std::unique(flags.begin(), flags.end()), flags.end());
    flags.erase(std::remove(flags.begin(), flags.end(), Flag(0)), flags.end());
    return flags;
}

AffixRules::Flag AffixRules::parseOneFlag(QStringView text) const
{
    if (text.isEmpty())
        return 0;
    switch (m_flagType) {
    case FlagType::Char:
        return text.at(0).unicode();
    case FlagType::Utf8:
        return codePoints(text.left(2)).front();
    case FlagType::Long:
        return Flag(text.at(0).unicode()) << 16 | (text.size() > 1 ? text.at(1).unicode() : 0);
    case FlagType::Number: {
        bool isNumber = false;
        const uint number = text.trimmed().toUInt(&isNumber);
        return isNumber && number <= MaxNumberFlag ? number : 0;
    }
    }
    return 0;
}

bool AffixRules::has(const Flags &flags, Flag flag)
{
    return flag != 0 && std::binary_search(flags.begin(), flags.end(), flag);
}

const std::vector<AffixRules::Affix> &AffixRules::prefixes(Flag flag) const
{
    static const std::vector<Affix> none;
    const auto found = m_prefixes.constFind(flag);
    return found == m_prefixes.constEnd() ? none : *found;
}

const std::vector<AffixRules::Affix> &AffixRules::suffixes(Flag flag) const
{
    static const std::vector<Affix> none;
    const auto found = m_suffixes.constFind(flag);
    return found == m_suffixes.constEnd() ? none : *found;
}

bool AffixRules::prefixApplies(const Affix &prefix, const QString &stem) const
{
    if (!stem.startsWith(prefix.strip))
        return false;
    if (stem.size() == prefix.strip.size() && !m_fullStrip)
        return false;
    qsizetype at = 0;
    for (const ConditionChar &position : prefix.condition) {
        if (at >= stem.size())
            return false;
        char32_t letter = stem.at(at).unicode();
        if (stem.at(at).isHighSurrogate() && at + 1 < stem.size()
            && stem.at(at + 1).isLowSurrogate()) {
            letter = QChar::surrogateToUcs4(stem.at(at), stem.at(at + 1));
            ++at;
        }
        ++at;
        if (!conditionCharMatches(position, letter))
            return false;
    }
    return true;
}

bool AffixRules::suffixApplies(const Affix &suffix, const QString &stem) const
{
    if (!stem.endsWith(suffix.strip))
        return false;
    if (stem.size() == suffix.strip.size() && !m_fullStrip)
        return false;
    qsizetype at = stem.size();
    for (auto position = suffix.condition.rbegin(); position != suffix.condition.rend();
         ++position) {
        if (at <= 0)
            return false;
        --at;
        char32_t letter = stem.at(at).unicode();
        if (stem.at(at).isLowSurrogate() && at > 0 && stem.at(at - 1).isHighSurrogate()) {
            --at;
            letter = QChar::surrogateToUcs4(stem.at(at), stem.at(at + 1));
        }
        if (!conditionCharMatches(*position, letter))
            return false;
    }
    return true;
}

} // namespace Tarnwick

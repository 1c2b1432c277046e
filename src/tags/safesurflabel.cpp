// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/safesurflabel.h"

namespace Tarnwick {

namespace {

QStringList levelList(const QStringList &words)
{
    QStringList levels { QStringLiteral("0) N/A") };
    for (int i = 0; i < words.size(); ++i)
        levels.append(QString::number(i + 1) + QStringLiteral(") ") + words[i]);
    return levels;
}

QStringList common(const char *eight, const char *nine)
{
    return levelList({ QStringLiteral("Subtle Innuendo"), QStringLiteral("Explicit Innuendo"),
                       QStringLiteral("Technical Reference"),
                       QStringLiteral("Non-Graphic-Artistic"), QStringLiteral("Graphic-Artistic"),
                       QStringLiteral("Graphic"), QStringLiteral("Detailed Graphic"),
                       QLatin1String(eight), QLatin1String(nine) });
}

QString encodedSite(const QString &site)
{
    QString encoded;
    for (const QChar c : site) {
        switch (c.unicode()) {
        case ' ':
            encoded += QStringLiteral("%20");
            break;
        case '"':
            encoded += QStringLiteral("%22");
            break;
        case '\'':
            encoded += QStringLiteral("%27");
            break;
        case '<':
            encoded += QStringLiteral("%3C");
            break;
        case '>':
            encoded += QStringLiteral("%3E");
            break;
        case '\t':
        case '\r':
        case '\n':
            encoded += QLatin1Char('%')
                + QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
            break;
        default:
            encoded += c;
        }
    }
    return encoded;
}

} // namespace

const QList<SafeSurfLabel::Question> &SafeSurfLabel::questions()
{
    static const QList<Question> list = [] {
        const QStringList profanity = common("Explicit Vulgarity", "Explicit and Crude");
        const QStringList themes
            = common("Explicitly Graphic or Inviting Participation",
                     "Explicit and Crude or Explicitly Inviting Participation");
        return QList<Question> {
            { QStringLiteral("Suitable Age Range (note: this category can still be used to limit "
                             "access to adults) :"),
              QStringLiteral("SS~~000"),
              levelList({ QStringLiteral("All Ages"), QStringLiteral("Older Children"),
                          QStringLiteral("Teens"), QStringLiteral("Older Teens"),
                          QStringLiteral("Adult Supervision Recommended"), QStringLiteral("Adults"),
                          QStringLiteral("Limited to Adults"), QStringLiteral("Adults Only"),
                          QStringLiteral("Explicitly for Adults") }) },
            { QStringLiteral("Profanity:"), QStringLiteral("SS~~001"), profanity },
            { QStringLiteral("Heterosexual themes without illustrations-writings, adult "
                             "conversation; may include profanity:"),
              QStringLiteral("SS~~002"), themes },
            { QStringLiteral("Homosexual themes without illustrations-writings, adult "
                             "conversation; may include profanity:"),
              QStringLiteral("SS~~003"), themes },
            { QStringLiteral("Nudity and consenting sexual acts-may include illustrations:"),
              QStringLiteral("SS~~004"), profanity },
            { QStringLiteral("Violent themes-writings, devices, militia, adult conversation; may "
                             "include profanity:"),
              QStringLiteral("SS~~005"),
              common("Inviting Participation in Graphic Interactive Format",
                     "Encouraging Personal Participation, Weapon Making") },
            { QStringLiteral("Both sexual and violent themes combined with profanity:"),
              QStringLiteral("SS~~006"), profanity },
            { QStringLiteral("Accusations or attacks against racial or religious groups:"),
              QStringLiteral("SS~~007"),
              levelList({ QStringLiteral("Subtle Innuendo"), QStringLiteral("Explicit Innuendo"),
                          QStringLiteral("Technical Reference"),
                          QStringLiteral("Non-Graphic-Literary"),
                          QStringLiteral("Graphic-Literary"), QStringLiteral("Graphic Discussions"),
                          QStringLiteral("Endorsing Hatred"),
                          QStringLiteral("Endorsing Violent or Hateful Action"),
                          QStringLiteral("Advocating Violent or Hateful Action") }) },
            { QStringLiteral("Themes advocating or glorifying illegal drug use:"),
              QStringLiteral("SS~~008"),
              common("Simulated Interactive Participation", "Soliciting Personal Participation") },
            { QStringLiteral("Other adult themes requiring parental caution:"),
              QStringLiteral("SS~~009"), profanity },
            { QStringLiteral("Gambling:"), QStringLiteral("SS~~00A"),
              levelList({ QStringLiteral("Subtle Innuendo"), QStringLiteral("Explicit Innuendo"),
                          QStringLiteral("Technical Discussion"),
                          QStringLiteral("Non-Graphic-Artistic, Advertising"),
                          QStringLiteral("Graphic-Artistic, Advertising"),
                          QStringLiteral("Simulated Gambling"),
                          QStringLiteral("Real Life Gambling without Stakes"),
                          QStringLiteral("Encouraging Interactive Real Life Participation with "
                                         "Stakes"),
                          QStringLiteral("Providing Means with Stakes") }) },
        };
    }();
    return list;
}

QString SafeSurfLabel::serviceAddress()
{
    return QStringLiteral("http://www.example.org/ratings/safesurf.html");
}

QString SafeSurfLabel::sampleSite()
{
    return QStringLiteral("http://www.example.org/");
}

QString SafeSurfLabel::opening()
{
    return QStringLiteral("<META http-equiv=\"PICS-Label\" content='(PICS");
}

SafeSurfLabel SafeSurfLabel::read(QStringView label)
{
    SafeSurfLabel result;
    // The ratings follow the site; a code inside the site's address is no rating.
    qsizetype ratingsFrom = 0;
    static const QLatin1StringView generic("generic true for");
    const qsizetype genericAt = label.indexOf(generic);
    if (genericAt >= 0) {
        result.siteWide = true;
        const qsizetype open = label.indexOf(QLatin1Char('"'), genericAt + generic.size());
        const qsizetype close = open < 0 ? -1 : label.indexOf(QLatin1Char('"'), open + 1);
        if (close > open) {
            result.site = label.mid(open + 1, close - open - 1).toString();
            ratingsFrom = close + 1;
        }
    }
    const QList<Question> &list = questions();
    for (int i = 0; i < questionCount; ++i) {
        const qsizetype at = label.indexOf(list[i].code, ratingsFrom);
        if (at < 0)
            continue;
        qsizetype level = at + list[i].code.size();
        while (level < label.size() && label[level] == QLatin1Char(' '))
            ++level;
        if (level < label.size() && label[level] >= QLatin1Char('0')
            && label[level] <= QLatin1Char('9'))
            result.levels[i] = label[level].unicode() - '0';
    }
    return result;
}

QString SafeSurfLabel::text() const
{
    QString label
        = opening() + QStringLiteral("-1.0 \"") + serviceAddress() + QStringLiteral("\" l ");
    if (siteWide)
        label += QStringLiteral("generic true for \"") + encodedSite(site) + QLatin1Char('"');
    label += QStringLiteral(" r (");
    const QList<Question> &list = questions();
    if (levels[0] > 0)
        label += list[0].code + QLatin1Char(' ') + QString::number(levels[0]);
    for (int i = 1; i < questionCount; ++i)
        if (levels[i] > 0)
            label
                += QLatin1Char(' ') + list[i].code + QLatin1Char(' ') + QString::number(levels[i]);
    return label + QStringLiteral("))'>");
}

} // namespace Tarnwick

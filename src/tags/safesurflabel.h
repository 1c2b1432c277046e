// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

namespace Tarnwick {

// A PICS rating label in the SafeSurf vocabulary, as a META tag of the page
// head: a level 0 to 9 for each of eleven categories and, optionally, the
// site the ratings hold for.
struct SafeSurfLabel
{
    static constexpr int questionCount = 11;

    struct Question
    {
        QString text;
        QString code; // "SS~~000"
        QStringList levels; // ten entries "{digit}) {words}", level 0 first
    };
    static const QList<Question> &questions();

    // Where the label points for the meaning of its ratings, and the address
    // the dialog offers for a site.
    static QString serviceAddress();
    static QString sampleSite();
    // What a page's label starts with.
    static QString opening();

    std::array<int, questionCount> levels {};
    bool siteWide = false;
    QString site;

    // Reads a label: each category's level (a level that is not a digit
    // reads as 0), and the site when the label holds for a whole site.
    static SafeSurfLabel read(QStringView label);
    // Blanks, quotes and angle brackets in the site are percent-encoded so
    // that the label stays well formed.
    QString text() const;

    friend bool operator==(const SafeSurfLabel &, const SafeSurfLabel &) = default;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

namespace Tarnwick {

// One reference a page makes in its markup.
struct PageReference
{
    enum class Kind {
        Background, // a background attribute of any tag
        Source, // a src attribute of any tag
        Link, // href of A, AREA and LINK
        Marker, // name of A
        Id, // id of any tag: a target for "#name" links
    };

    Kind kind = Kind::Source;
    int line = 1; // of the attribute name, from 1
    int column = 0; // of the attribute name in its line, from 0
    QString value; // as written, without quotes
    bool hasValue = false; // false for a name without "=" (value then empty)

    friend bool operator==(const PageReference &, const PageReference &) = default;
};

// One attribute of a tag as it is written.
struct PageAttribute
{
    QStringView name; // into the text read
    QString value; // without quotes
    bool hasValue = false;
    int line = 1; // of the name, from 1
    int column = 0; // of the name in its line, from 0
};

// A start tag with its attributes, in the order they are written.
struct PageTag
{
    QStringView name; // into the text read; empty when "<" and a letter start no name
    int line = 1; // of the "<", from 1
    int column = 0; // of the "<" in its line, from 0
    QList<PageAttribute> attributes;

    // The first attribute of that name, ignoring case; null when there is none.
    const PageAttribute *attribute(QLatin1String name) const;
};

// Reads the references of a page from its markup in one pass: tags and
// attribute names in any case and whole (data-src is not src), blanks
// around "=", double, single or no quotes, tags over several lines. Text
// outside tags is never taken for a reference. Lines end at '\n'.
class PageReferences final
{
public:
    PageReferences() = delete;

    static QList<PageReference> parse(QStringView text);
    // Every start tag the same reading finds, in order, with all its attributes.
    static void forEachTag(QStringView text, const std::function<void(const PageTag &)> &visit);
};

} // namespace Tarnwick

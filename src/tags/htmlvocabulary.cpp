// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/htmlvocabulary.h"

#include <QHash>

#include <algorithm>

namespace Tarnwick {

namespace {

struct ElementEntry
{
    const char *name;
    const char *attributes; // its own, separated by blanks
};

// HTML 4.01 (strict, transitional and frameset) and HTML5.
constexpr ElementEntry elementTable[] = {
    { "a",
      "accesskey charset coords download href hreflang name ping referrerpolicy rel rev shape "
      "tabindex target type" },
    { "abbr", "" },
    { "acronym", "" },
    { "address", "" },
    { "applet", "align alt archive code codebase height hspace name object vspace width" },
    { "area",
      "accesskey alt coords download href hreflang nohref ping referrerpolicy rel shape tabindex "
      "target type" },
    { "article", "" },
    { "aside", "" },
    { "audio", "autoplay controls crossorigin loop muted preload src" },
    { "b", "" },
    { "base", "href target" },
    { "basefont", "color face size" },
    { "bdi", "" },
    { "bdo", "" },
    { "big", "" },
    { "blockquote", "cite" },
    { "body", "alink background bgcolor link onload onunload text vlink" },
    { "br", "clear" },
    { "button",
      "autofocus disabled form formaction formenctype formmethod formnovalidate formtarget name "
      "popovertarget type value" },
    { "canvas", "height width" },
    { "caption", "align" },
    { "center", "" },
    { "cite", "" },
    { "code", "" },
    { "col", "align char charoff span valign width" },
    { "colgroup", "align char charoff span valign width" },
    { "data", "value" },
    { "datalist", "" },
    { "dd", "" },
    { "del", "cite datetime" },
    { "details", "name open" },
    { "dfn", "" },
    { "dialog", "open" },
    { "dir", "compact" },
    { "div", "align" },
    { "dl", "compact" },
    { "dt", "" },
    { "em", "" },
    { "embed", "height src type width" },
    { "fieldset", "disabled form name" },
    { "figcaption", "" },
    { "figure", "" },
    { "font", "color face size" },
    { "footer", "" },
    { "form",
      "accept accept-charset action autocomplete enctype method name novalidate onreset onsubmit "
      "rel target" },
    { "frame", "frameborder longdesc marginheight marginwidth name noresize scrolling src" },
    { "frameset", "cols onload onunload rows" },
    { "h1", "align" },
    { "h2", "align" },
    { "h3", "align" },
    { "h4", "align" },
    { "h5", "align" },
    { "h6", "align" },
    { "head", "profile" },
    { "header", "" },
    { "hgroup", "" },
    { "hr", "align noshade size width" },
    { "html", "manifest version xmlns" },
    { "i", "" },
    { "iframe",
      "align allow allowfullscreen frameborder height loading longdesc marginheight marginwidth "
      "name referrerpolicy sandbox scrolling src srcdoc width" },
    { "img",
      "align alt border crossorigin decoding fetchpriority height hspace ismap loading longdesc "
      "name referrerpolicy sizes src srcset usemap vspace width" },
    { "input",
      "accept align alt autocomplete autofocus checked dirname disabled form formaction "
      "formenctype formmethod formnovalidate formtarget height list max maxlength min minlength "
      "multiple name onblur onchange onfocus onselect pattern placeholder popovertarget readonly "
      "required size src step type usemap value width" },
    { "ins", "cite datetime" },
    { "isindex", "prompt" },
    { "kbd", "" },
    { "label", "for form onblur onfocus" },
    { "legend", "align" },
    { "li", "type value" },
    { "link",
      "as charset crossorigin href hreflang integrity media referrerpolicy rel rev sizes type" },
    { "main", "" },
    { "map", "name" },
    { "mark", "" },
    { "menu", "compact" },
    { "meta", "charset content http-equiv name scheme" },
    { "meter", "high low max min optimum value" },
    { "nav", "" },
    { "noframes", "" },
    { "noscript", "" },
    { "object",
      "align archive border classid codebase codetype data declare form height hspace name "
      "standby type usemap vspace width" },
    { "ol", "compact reversed start type" },
    { "optgroup", "disabled label" },
    { "option", "disabled label selected value" },
    { "output", "for form name" },
    { "p", "align" },
    { "param", "name type value valuetype" },
    { "picture", "" },
    { "pre", "width" },
    { "progress", "max value" },
    { "q", "cite" },
    { "rp", "" },
    { "rt", "" },
    { "ruby", "" },
    { "s", "" },
    { "samp", "" },
    { "script",
      "async charset crossorigin defer integrity language nomodule referrerpolicy src type" },
    { "search", "" },
    { "section", "" },
    { "select",
      "autocomplete autofocus disabled form multiple name onblur onchange onfocus required size" },
    { "slot", "name" },
    { "small", "" },
    { "source", "height media sizes src srcset type width" },
    { "span", "" },
    { "strike", "" },
    { "strong", "" },
    { "style", "media type" },
    { "sub", "" },
    { "summary", "" },
    { "sup", "" },
    { "table", "align bgcolor border cellpadding cellspacing frame rules summary width" },
    { "tbody", "align char charoff valign" },
    { "td",
      "abbr align axis bgcolor char charoff colspan headers height nowrap rowspan scope valign "
      "width" },
    { "template", "shadowrootmode" },
    { "textarea",
      "autocomplete autofocus cols dirname disabled form maxlength minlength name onblur onchange "
      "onfocus onselect placeholder readonly required rows wrap" },
    { "tfoot", "align char charoff valign" },
    { "th",
      "abbr align axis bgcolor char charoff colspan headers height nowrap rowspan scope valign "
      "width" },
    { "thead", "align char charoff valign" },
    { "time", "datetime" },
    { "title", "" },
    { "tr", "align bgcolor char charoff valign" },
    { "track", "default kind label src srclang" },
    { "tt", "" },
    { "u", "" },
    { "ul", "compact type" },
    { "var", "" },
    { "video",
      "autoplay controls crossorigin height loop muted playsinline poster preload src width" },
    { "wbr", "" },
};

// HTML 4's core, language and event attributes and HTML5's global ones.
constexpr const char *globalAttributes
    = "accesskey class contenteditable dir draggable hidden id lang onclick ondblclick onkeydown "
      "onkeypress onkeyup onmousedown onmousemove onmouseout onmouseover onmouseup spellcheck "
      "style tabindex title translate";

constexpr const char *voidElements[]
    = { "area",  "base",    "basefont", "br",   "col",   "embed",  "frame", "hr", "img",
        "input", "isindex", "link",     "meta", "param", "source", "track", "wbr" };

constexpr const char *rawTextElements[] = { "script", "style", "textarea", "title" };

struct ValueEntry
{
    const char *elements; // blank-separated; "*" for any element without an entry of its own
    const char *attribute;
    const char *values;
    bool keepCase;
};

constexpr ValueEntry valueTable[] = {
    { "p div h1 h2 h3 h4 h5 h6", "align", "center justify left right", false },
    { "table hr iframe", "align", "center left right", false },
    { "img input object applet", "align", "bottom left middle right top", false },
    { "caption legend", "align", "bottom left right top", false },
    { "td th tr tbody thead tfoot col colgroup", "align", "center char justify left right", false },
    { "*", "valign", "baseline bottom middle top", false },
    { "form", "method", "dialog get post", false },
    { "button input", "formmethod", "get post", false },
    { "form", "enctype", "application/x-www-form-urlencoded multipart/form-data text/plain", true },
    { "button input", "formenctype",
      "application/x-www-form-urlencoded multipart/form-data text/plain", true },
    { "input", "type",
      "button checkbox color date datetime-local email file hidden image month number password "
      "radio range reset search submit tel text time url week",
      false },
    { "button", "type", "button reset submit", false },
    { "ol", "type", "1 A I a i", true },
    { "ul", "type", "circle disc square", false },
    { "li", "type", "1 A I a circle disc i square", true },
    { "script", "type", "module text/javascript", true },
    { "style link", "type", "text/css", true },
    { "a area", "shape", "circle default poly rect", false },
    { "td th", "scope", "col colgroup row rowgroup", false },
    { "br", "clear", "all left none right", false },
    { "table", "frame", "above below border box hsides lhs rhs void vsides", false },
    { "table", "rules", "all cols groups none rows", false },
    { "frame iframe", "scrolling", "auto no yes", false },
    { "frame iframe", "frameborder", "0 1", false },
    { "textarea", "wrap", "hard soft", false },
    { "form input select textarea", "autocomplete", "off on", false },
    { "audio video", "preload", "auto metadata none", false },
    { "audio video img link script", "crossorigin", "anonymous use-credentials", false },
    { "img iframe", "loading", "eager lazy", false },
    { "img", "decoding", "async auto sync", false },
    { "img", "fetchpriority", "auto high low", false },
    { "track", "kind", "captions chapters descriptions metadata subtitles", false },
    { "param", "valuetype", "data object ref", false },
    { "template", "shadowrootmode", "closed open", false },
    { "a area iframe img link script", "referrerpolicy",
      "no-referrer no-referrer-when-downgrade origin origin-when-cross-origin same-origin "
      "strict-origin strict-origin-when-cross-origin unsafe-url",
      false },
    { "*", "dir", "auto ltr rtl", false },
    { "*", "contenteditable", "false true", false },
    { "*", "draggable", "false true", false },
    { "*", "spellcheck", "false true", false },
    { "*", "translate", "no yes", false },
};

// Start tags that end an open element whose end tag was left out.
struct ImpliedEnd
{
    const char *open;
    const char *starting;
};

constexpr const char *blocksEndingP
    = "address article aside blockquote details dialog div dl fieldset figcaption figure footer "
      "form h1 h2 h3 h4 h5 h6 header hgroup hr main menu nav ol p pre search section table ul";

constexpr ImpliedEnd impliedEnds[] = {
    { "p", blocksEndingP },
    { "li", "li" },
    { "dt", "dd dt" },
    { "dd", "dd dt" },
    { "td", "td th tr tbody tfoot thead" },
    { "th", "td th tr tbody tfoot thead" },
    { "tr", "tr tbody tfoot thead" },
    { "thead", "tbody tfoot" },
    { "tbody", "tbody tfoot" },
    { "option", "optgroup option" },
    { "optgroup", "optgroup" },
    { "rt", "rp rt" },
    { "rp", "rp rt" },
};

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool listed(const char *text, QStringView name)
{
    const QString lower = name.toString().toLower();
    return words(text).contains(lower);
}

template<typename List> bool contains(const List &list, QStringView name)
{
    return std::any_of(std::begin(list), std::end(list), [&](const char *entry) {
        return name.compare(QLatin1String(entry), Qt::CaseInsensitive) == 0;
    });
}

QStringList sortedUnique(QStringList list)
{
    list.sort();
    list.removeDuplicates();
    return list;
}

struct Tables
{
    QStringList elements;
    QHash<QString, QStringList> attributes;
    QStringList global;
    // Per open element, the start tags that end it.
    QList<std::pair<QString, QStringList>> implied;

    Tables()
    {
        for (const ImpliedEnd &rule : impliedEnds)
            implied.append({ QString::fromLatin1(rule.open), words(rule.starting) });
        global = sortedUnique(words(globalAttributes));
        for (const ElementEntry &entry : elementTable) {
            const QString name = QString::fromLatin1(entry.name);
            elements.append(name);
            attributes.insert(name, sortedUnique(words(entry.attributes) + global));
        }
        elements = sortedUnique(elements);
    }
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

const QStringList &HtmlVocabulary::elements()
{
    return tables().elements;
}

bool HtmlVocabulary::isElement(QStringView name)
{
    return tables().attributes.contains(name.toString().toLower());
}

bool HtmlVocabulary::isVoid(QStringView name)
{
    return contains(voidElements, name);
}

bool HtmlVocabulary::isRawText(QStringView name)
{
    return contains(rawTextElements, name);
}

bool HtmlVocabulary::endsImplicitly(QStringView open, QStringView starting)
{
    // Runs for every start tag read, so it compares without copying names.
    for (const auto &[name, starts] : tables().implied) {
        if (open.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        return std::any_of(starts.begin(), starts.end(), [&](const QString &start) {
            return starting.compare(start, Qt::CaseInsensitive) == 0;
        });
    }
    return false;
}

QStringList HtmlVocabulary::attributes(QStringView element)
{
    const Tables &t = tables();
    return t.attributes.value(element.toString().toLower(), t.global);
}

HtmlVocabulary::Values HtmlVocabulary::values(QStringView element, QStringView attribute)
{
    const ValueEntry *anyElement = nullptr;
    for (const ValueEntry &entry : valueTable) {
        if (attribute.compare(QLatin1String(entry.attribute), Qt::CaseInsensitive) != 0)
            continue;
        if (listed(entry.elements, element))
            return { sortedUnique(words(entry.values)), entry.keepCase };
        if (!anyElement && qstrcmp(entry.elements, "*") == 0)
            anyElement = &entry;
    }
    if (anyElement)
        return { sortedUnique(words(anyElement->values)), anyElement->keepCase };
    return {};
}

} // namespace Tarnwick

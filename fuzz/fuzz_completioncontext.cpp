// SPDX-License-Identifier: GPL-3.0-or-later
// The text before the caret as completion reads it while the user types (any
// page a user opens or writes): what is offered is never empty, lies in the
// vocabulary (elements, the element's attributes, the attribute's values)
// or is an element opened before, fits the typed part, and the typed part
// ends at the caret. Writing a choice in place of the typed part offers it
// again, so the list and the text agree.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/completioncontext.h"
#include "tags/htmlvocabulary.h"

using namespace Tarnwick;

namespace {

bool isOneCase(const QString &name, bool upper)
{
    return upper ? name == name.toUpper() : name == name.toLower();
}

void check(const QString &before, const Completion &found)
{
    using Kind = Completion::Kind;
    if (found.kind == Kind::None) {
        TARNWICK_FUZZ_CHECK(found.entries.isEmpty());
        return;
    }
    TARNWICK_FUZZ_CHECK(!found.entries.isEmpty());
    TARNWICK_FUZZ_CHECK(found.start >= 0 && found.start <= before.size());
    TARNWICK_FUZZ_CHECK(QStringView(before).sliced(found.start) == found.prefix);
    for (const QString &entry : found.entries) {
        TARNWICK_FUZZ_CHECK(!entry.isEmpty());
        TARNWICK_FUZZ_CHECK(entry.startsWith(found.prefix, Qt::CaseInsensitive));
        switch (found.kind) {
        case Kind::ElementName:
            TARNWICK_FUZZ_CHECK(HtmlVocabulary::isElement(entry));
            TARNWICK_FUZZ_CHECK(isOneCase(entry, found.upperCase));
            break;
        case Kind::AttributeName:
            TARNWICK_FUZZ_CHECK(
                HtmlVocabulary::attributes(found.element).contains(entry.toLower()));
            TARNWICK_FUZZ_CHECK(isOneCase(entry, found.upperCase));
            break;
        case Kind::AttributeValue: {
            const HtmlVocabulary::Values values
                = HtmlVocabulary::values(found.element, found.attribute);
            TARNWICK_FUZZ_CHECK(values.names.contains(values.keepCase ? entry : entry.toLower()));
            TARNWICK_FUZZ_CHECK(found.quote == u'"' || found.quote == u'\'');
            break;
        }
        case Kind::ClosingTag:
            // The one element opened before, as its start tag was written.
            TARNWICK_FUZZ_CHECK(found.entries.size() == 1);
            TARNWICK_FUZZ_CHECK(before.contains(u'<' + entry));
            break;
        case Kind::None:
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint32 place = quint32(input.takeInt());
    const QString text = QString::fromUtf8(input.takeRest());
    const qsizetype caret = qsizetype(place % quint32(text.size() + 1));
    const QString before = text.left(caret);

    const Completion found = CompletionContext::at(before);
    check(before, found);
    if (found.kind == Completion::Kind::None)
        return 0;

    // The first and the last entry written in place of the typed part.
    for (const QString &entry : { found.entries.first(), found.entries.last() }) {
        const QString written = before.left(found.start) + entry;
        const Completion again = CompletionContext::at(written);
        check(written, again);
        TARNWICK_FUZZ_CHECK(again.kind == found.kind);
        TARNWICK_FUZZ_CHECK(again.entries.contains(entry));
    }
    return 0;
}

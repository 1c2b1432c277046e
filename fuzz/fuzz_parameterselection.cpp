// SPDX-License-Identifier: GPL-3.0-or-later
// The text the parameter dialog is opened on (a selected attribute or META
// or PARAM tag of the page): choices stay within their lists, values are cut
// from the text, and a tag written from them reads back the same values.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/parameterselection.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString text = QString::fromUtf8(input.takeRest());

    const ParameterSelection::Reading reading = ParameterSelection::read(text);
    if (reading.hasChoice) {
        const QStringList list = reading.choicePage == ParameterSelection::Page::Size
            ? ParameterSelection::sizes()
            : reading.choicePage == ParameterSelection::Page::VAlign
            ? ParameterSelection::verticalAlignments()
            : ParameterSelection::alignments();
        TARNWICK_FUZZ_CHECK(reading.choice >= 0 && reading.choice < list.size());
    }
    for (const QString &value : { reading.name, reading.content, reading.httpEquiv,
                                  reading.paramName, reading.paramValue })
        TARNWICK_FUZZ_CHECK(text.contains(value));
    if (reading.isMeta) {
        // Values without quotes or line breaks come back as they went in.
        const auto plain = [](const QString &v) {
            return !v.contains(QLatin1Char('"')) && !v.contains(QLatin1Char('&'))
                && !v.contains(QLatin1Char('\n')) && !v.contains(QLatin1Char('\r'));
        };
        if (plain(reading.name) && plain(reading.content) && plain(reading.httpEquiv)) {
            const QString tag
                = ParameterSelection::metaTag(reading.httpEquiv, reading.name, reading.content);
            const ParameterSelection::Reading back = ParameterSelection::read(tag);
            TARNWICK_FUZZ_CHECK(back.isMeta);
            TARNWICK_FUZZ_CHECK(back.name == reading.name);
            TARNWICK_FUZZ_CHECK(back.content == reading.content);
            TARNWICK_FUZZ_CHECK(back.httpEquiv == reading.httpEquiv);
        }
    }
    const QString param = ParameterSelection::paramTag(reading.paramName, reading.paramValue);
    TARNWICK_FUZZ_CHECK(param.startsWith(QLatin1String("<PARAM NAME=\"")));
    TARNWICK_FUZZ_CHECK(param.count(QLatin1Char('"')) == 4);
    return 0;
}

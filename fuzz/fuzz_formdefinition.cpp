// SPDX-License-Identifier: GPL-3.0-or-later
// Form definition files (*.frm): a file is read only when every line is a
// record of a known kind, or refused with an error naming the file and line;
// a record read makes its form lines, each one line; what is saved reads back
// as the same records.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "wizards/formbuilder.h"
#include "wizards/formdefinition.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint8 choice = input.takeByte();
    const Expected<QStringList> read = FormDefinition::parse(input.takeRest(), "fuzz.frm");
    if (!read.ok()) {
        TARNWICK_FUZZ_CHECK(read.error().startsWith(QLatin1String("fuzz.frm, line ")));
        return 0;
    }
    FormOptions options;
    options.tableFormat = choice & 1;
    options.preformat = choice & 2;
    options.mailTo = QStringLiteral("a\"b");
    const QStringList lines = FormBuilder::build(read.value(), options);
    TARNWICK_FUZZ_CHECK(lines.isEmpty() == read.value().isEmpty());
    for (const QString &line : lines)
        TARNWICK_FUZZ_CHECK(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    for (const QString &record : read.value()) {
        TARNWICK_FUZZ_CHECK(!FormBuilder::fieldLines(record, options).isEmpty());
        FormBuilder::fieldAlone(record, options);
    }
    QString text;
    for (const QString &record : read.value())
        text += record + QLatin1String("\r\n");
    const Expected<QStringList> again = FormDefinition::parse(text.toUtf8(), "fuzz.frm");
    TARNWICK_FUZZ_CHECK(again.ok() && again.value() == read.value());
    return 0;
}

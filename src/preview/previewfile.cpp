// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewfile.h"

#include "platform/editorcontrol.h"
#include "platform/textfile.h"

#include <QDir>

namespace Tarnwick {

QString PreviewFile::path(const QString &pageDirectory)
{
    return QDir(pageDirectory).filePath(QLatin1String(FileName));
}

Result PreviewFile::write(const EditorControl &editor, const QString &pageDirectory)
{
    // A browser reads the copy by the page's own charset, so characters the
    // page's encoding cannot carry go in as references, as a save would write them.
    const TextFileFormat format = editor.FileFormat();
    const QString text = editor.GetTextBuffer();
    QStringList referenced = TextFile::unheldCharacters(text, format);
    referenced
        += TextFile::misreadCharacters(TextFile::withCharacterReferences(text, referenced), format);
    return TextFile::write(path(pageDirectory), TextFile::withCharacterReferences(text, referenced),
                           format);
}

} // namespace Tarnwick

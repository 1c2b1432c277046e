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
    return TextFile::write(path(pageDirectory), editor.GetTextBuffer(), editor.FileFormat());
}

} // namespace Tarnwick

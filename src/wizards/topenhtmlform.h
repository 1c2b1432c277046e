// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;

namespace Tarnwick {

class FileListPane;
class Prompter;
class Renderer;

// "Open HTML Page": a file browser with a live preview of the chosen file.
// Pages open in the editor; pictures are only looked at.
class TOpenHTMLForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        QString filter; // as FileFilter::build gives it
        QString directory; // shown first
        std::function<bool(const QString &path)> loadFile;
        std::function<void()> pageOpened; // after a page loaded, before the dialog closes
        // Tells why a name typed into the bottom box opens nothing.
        Prompter *prompter = nullptr;
    };

    explicit TOpenHTMLForm(Context context, QWidget *parent = nullptr);
    ~TOpenHTMLForm() override;

    FileListPane *files() const { return m_files; }
    Renderer *preview() const { return m_preview; }
    QString fileToLoad() const { return m_fileToLoad; }
    // The names the file list shows now, in list order.
    QStringList listedNames() const;

    // Chooses the file and shows it in the preview.
    void selectFile(const QString &path);
    // Opens the chosen file unless it is a picture, then closes. A name
    // typed into the bottom box (absolute, or relative to the listed
    // folder) is taken first: a folder is listed, a file chosen, and a name
    // that is neither is reported with the dialog left open.
    void OKClick();
    static QString notFound(const QString &path);

private:
    void onLinkClicked(const QString &address, bool *handled);
    // False when the typed name leaves nothing to open now.
    bool takeTypedName();

    Context m_context;
    FileListPane *m_files;
    Renderer *m_preview;
    QLineEdit *m_chosen;
    QPushButton *m_ok;
    QString m_fileToLoad;
};

} // namespace Tarnwick

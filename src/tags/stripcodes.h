// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>

#include <functional>

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// "Strip HTML Codes": the page becomes the text its preview shows. The
// preview loads the editor's text first, unless it shows exactly that text
// already, and the text is read only once that load has finished, so it is
// never a stale or half-loaded view.
class StripCodes final : public QObject
{
    Q_OBJECT

public:
    StripCodes(EditorControl *editor, Prompter *prompter, Renderer *preview,
               std::function<QString()> pageDirectory, QObject *parent = nullptr);

    static QString question();
    static QString loadFailed();
    static QString pageChanged();

    // Asks, then strips; done(stripped) tells when it is over.
    void StripAllCodes1Click();
    bool running() const { return m_running; }

Q_SIGNALS:
    void done(bool stripped);

private:
    void loadWhenIdle();
    void load();
    void loaded(bool ok);
    void finish(bool stripped, const QString &error = QString());

    EditorControl *m_editor;
    Prompter *m_prompter;
    Renderer *m_preview;
    std::function<QString()> m_pageDirectory;
    QString m_text; // the editor's text the preview was given
    bool m_running = false;
    QMetaObject::Connection m_waiting;
};

} // namespace Tarnwick

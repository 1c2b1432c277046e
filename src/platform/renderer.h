// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QPrinter;

namespace Tarnwick {

// A rendered view of an HTML document: everything the previews need of a
// browser engine, and nothing more. Loading is asynchronous: every load
// (buffer, file or clear) ends with exactly one loadFinished signal, and
// Busy() is true from the start of a load until then.
//
// Scroll positions are vertical pixel offsets of the document.
class Renderer : public QWidget
{
    Q_OBJECT

public:
    // Must run once before the application object is created (main and every
    // test that makes a Renderer): it sets Qt::AA_ShareOpenGLContexts, which
    // the engine needs, registers the address scheme documents held in memory
    // are served from, and turns the engine's sandbox off when running as
    // root, where it cannot start.
    static void prepareEngine();

    explicit Renderer(QWidget *parent = nullptr);
    ~Renderer() override;

    // Loads a document held in memory. Relative addresses (images, style
    // sheets, links) resolve against baseDirectory. There is no size limit.
    void LoadFromBuffer(const QString &text, const QString &baseDirectory);
    // Loads a document file; frames named in a frame set resolve relative to it.
    void LoadFromFile(const QString &path);
    // Shows an empty document.
    void Clear();
    bool Busy() const;

    // The address of the document shown (a file: URL for buffers and files).
    QString CurrentAddress() const;
    QString DocumentTitle() const;

    int Position() const;
    void SetPosition(int position);
    // The largest value SetPosition can scroll to.
    int MaxVertPos() const;

    bool ViewImages() const;
    void SetViewImages(bool on);
    // 0 turns the image cache off so that images changed on disk show at once.
    void SetImageCacheCount(int count);

    void SetDefBackground(const QColor &color);
    void SetDefFontName(const QString &name);
    void SetDefFontSize(int points);
    void SetDefFontColor(const QColor &color);

    // Visited addresses, newest first; index 0 is the newest entry.
    int HistoryMaxCount() const;
    void SetHistoryMaxCount(int count);
    QStringList History() const;
    int HistoryIndex() const;
    // Shows the entry at index (loads it) and makes it current.
    void SetHistoryIndex(int index);

    int SelLength() const;
    QString SelText() const;
    void CopyToClipboard();

    // Looks forward from the current match; done(found) is called once.
    void FindNext(const QString &text, bool matchCase, std::function<void(bool found)> done);

    // Prints pages fromPage..toPage (1-based, inclusive); done(ok) is called once.
    void Print(QPrinter *printer, int fromPage, int toPage, std::function<void(bool ok)> done);

signals:
    void loadFinished(bool ok);
    void busyChanged(bool busy);
    void titleChanged(const QString &title);
    void historyChanged();
    // The link under the mouse; empty when the mouse leaves a link.
    void hotSpotCovered(const QString &address);
    // A link was clicked. Receivers connected directly may set *handled to
    // true; the renderer then does not follow the link.
    void hotSpotClicked(const QString &address, bool *handled);
    // A form was submitted (GET or POST); pairs are "name=value" strings in
    // form order, values not URL-encoded. The renderer does not navigate.
    void formSubmitted(const QString &action, const QString &method, const QStringList &pairs);

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace Tarnwick

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
// Busy() is true from the start of a load until then. Loads run one at a
// time: a load asked for while another runs starts when that one ends, and
// replaces (ending with loadFinished(false)) any load still waiting. A page
// that goes somewhere by itself (a followed link) is a load too.
//
// Addresses reported (CurrentAddress, History, hotSpotCovered, hotSpotClicked,
// formSubmitted) are full URLs; a local file is a file: URL.
//
// Scroll positions are vertical pixel offsets of the document.
//
// The engine itself starts when a renderer first loads something or, on the
// screen, right after the renderer was first drawn: a window full of
// renderers appears before the engine has started, and one never used costs
// nothing.
//
// The engine's own pop-up menu is never shown. For a menu of one's own, set
// the renderer's context menu policy to Qt::CustomContextMenu and connect to
// customContextMenuRequested, as with any widget.
class Renderer : public QWidget
{
    Q_OBJECT

public:
    // Must run once before the application object is created (main and every
    // test that makes a Renderer): it sets Qt::AA_ShareOpenGLContexts, which
    // the engine needs, and turns the engine's sandbox off when running as
    // root, where it cannot start.
    static void prepareEngine();
    // Whether the engine's own diagnostics reach the terminal at start; off
    // unless asked for (--verbose), and QT_LOGGING_RULES always wins.
    static void showEngineDiagnostics(bool shown);

    explicit Renderer(QWidget *parent = nullptr);
    ~Renderer() override;

    // Loads a document held in memory. Relative addresses (images, style
    // sheets, links) resolve against baseDirectory (the working directory
    // when empty). There is no size limit. Not an entry of the history.
    void LoadFromBuffer(const QString &text, const QString &baseDirectory);
    // One element of a document given as text, and the markup it is to have.
    struct ElementChange
    {
        QString selector; // a CSS selector naming exactly one element
        QString enclosing; // when not empty: the nearest element around it of this selector
        QString html; // its new markup, the element's own tags included
    };
    // Loads text as LoadFromBuffer does, with a shortcut for a small change:
    // when its turn comes and the document shown then is shownText (as
    // ShowsBuffer tells), only the element the change names gets its new
    // markup, and the view keeps its place. The caller vouches that text is
    // shownText with that element's markup replaced, parsed alike in place.
    // Ends with loadFinished like any load.
    void LoadChangedBuffer(const QString &text, const QString &baseDirectory,
                           const QString &shownText, const ElementChange &change);
    // Loads a document file (a path, or a file: URL, which may name an
    // anchor); frames named in a frame set resolve relative to it. Becomes the
    // newest entry of the history when it loads.
    void LoadFromFile(const QString &path);
    // Shows an empty document.
    void Clear();
    bool Busy() const;
    // True when the document shown is the one a LoadFromBuffer of this very
    // text and base directory loaded, and nothing has been loaded since (no
    // other load, followed link or change of ViewImages): loading the text
    // again would show the same.
    bool ShowsBuffer(const QString &text, const QString &baseDirectory) const;

    // The address of the document shown: a file: URL, for a buffer that of
    // its base directory; empty after Clear.
    QString CurrentAddress() const;
    // Empty for a document without a title.
    QString DocumentTitle() const;

    int Position() const;
    // Scrolls, clamped to 0..MaxVertPos(). During a load the position is
    // applied when the document is there (before loadFinished).
    void SetPosition(int position);
    // The document being loaded stands where the one shown stands when the
    // load starts, as measured then: a refresh keeps the user's place.
    void KeepPosition();
    // The largest value SetPosition can scroll to.
    int MaxVertPos() const;

    bool ViewImages() const;
    // Takes effect with the next load.
    void SetViewImages(bool on);
    // 0 turns the image cache off so that images changed on disk show at once.
    void SetImageCacheCount(int count);

    void SetDefBackground(const QColor &color);
    void SetDefFontName(const QString &name);
    void SetDefFontSize(int points);
    // The colour of text the page gives no colour of its own.
    void SetDefFontColor(const QColor &color);

    // Visited addresses, newest first; index 0 is the newest entry. A new
    // entry seen from an older one drops the entries newer than that one.
    int HistoryMaxCount() const;
    void SetHistoryMaxCount(int count);
    QStringList History() const;
    int HistoryIndex() const;
    // Shows the entry at index (loads it) and makes it current.
    void SetHistoryIndex(int index);

    // The selection as plain text, without a line end added.
    int SelLength() const;
    QString SelText() const;
    // Puts exactly SelText() on the clipboard before returning.
    void CopyToClipboard();
    // The text of the whole document as selecting all of it gives it;
    // done(text) is called once (empty from a closing renderer). The
    // selection is left empty.
    void DocumentText(std::function<void(const QString &text)> done);

    // Looks forward from the current match; done(found) is called once. After
    // the last match it answers false, and the next search starts at the top.
    // A closing renderer answers false.
    void FindNext(const QString &text, bool matchCase, std::function<void(bool found)> done);

    // Prints pages fromPage..toPage (1-based, inclusive; pages past the end of
    // the document are left out); done(ok) is called once. The printer must
    // live until then.
    void Print(QPrinter *printer, int fromPage, int toPage, std::function<void(bool ok)> done);

signals:
    void loadFinished(bool ok);
    void busyChanged(bool busy);
    void titleChanged(const QString &title);
    void historyChanged();
    // The link under the mouse; empty when the mouse leaves a link.
    void hotSpotCovered(const QString &address);
    // A link was clicked. Receivers connected directly may set *handled to
    // true; the renderer then does not follow the link (the receiver may load
    // something else right away). Links to an anchor of the document shown
    // are always followed and not reported. Links meant for a new window open
    // in the renderer itself.
    void hotSpotClicked(const QString &address, bool *handled);
    // A form was submitted (GET or POST); pairs are "name=value" strings in
    // form order, values not URL-encoded. The method is upper case, the
    // action a full URL. The renderer does not navigate.
    void formSubmitted(const QString &action, const QString &method, const QStringList &pairs);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace Tarnwick

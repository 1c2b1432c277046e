// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/renderer.h"

#include "platform/rendererdocument.h"
#include "platform/rendererpage.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPaintEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QPointer>
#include <QPrinter>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <optional>
#include <utility>

#include <unistd.h>

namespace Tarnwick {

namespace {

constexpr int defaultHistoryMaxCount = 10;
constexpr int lastPrintablePage = 9999;
constexpr int abortedErrorCode = -3; // the engine's net::ERR_ABORTED

// Reports every form submission to the renderer instead of sending it:
// the fields in form order as name/value pairs, as the browser would send them.
const char formScript[] = R"JS((function () {
    var report = console.log.bind(console);
    var prefix = %1;
    function fieldPairs(form, submitter) {
        var pairs = [];
        var fields = form.elements;
        for (var i = 0; i < fields.length; ++i) {
            var f = fields[i];
            var tag = f.tagName;
            if (f.matches(':disabled'))
                continue;
            var type = (f.type || '').toLowerCase();
            if (tag === 'BUTTON' || type === 'submit' || type === 'image' || type === 'reset' || type === 'button') {
                if (f !== submitter || type === 'reset' || type === 'button')
                    continue;
                if (type === 'image') {
                    var n = f.name ? f.name + '.' : '';
                    pairs.push([n + 'x', '0'], [n + 'y', '0']);
                    continue;
                }
            }
            if (!f.name || tag === 'FIELDSET' || tag === 'OUTPUT' || tag === 'OBJECT')
                continue;
            if (tag === 'SELECT') {
                for (var j = 0; j < f.options.length; ++j) {
                    var o = f.options[j];
                    if (o.selected && !o.disabled)
                        pairs.push([f.name, o.value]);
                }
            } else if (type === 'checkbox' || type === 'radio') {
                if (f.checked)
                    pairs.push([f.name, f.value]);
            } else if (type === 'file') {
                if (!f.files || f.files.length === 0)
                    pairs.push([f.name, '']);
                else
                    for (var k = 0; k < f.files.length; ++k)
                        pairs.push([f.name, f.files[k].name]);
            } else {
                pairs.push([f.name, f.value]);
            }
        }
        return pairs;
    }
    function send(form, submitter) {
        var action = form.action, method = form.method;
        if (submitter && submitter.hasAttribute('formaction'))
            action = submitter.formAction;
        if (submitter && submitter.hasAttribute('formmethod'))
            method = submitter.formMethod;
        report(prefix + JSON.stringify({form: {action: action, method: method, pairs: fieldPairs(form, submitter)}}));
    }
    window.addEventListener('submit', function (event) {
        var form = event.target;
        var submitter = event.submitter || null;
        var method = (submitter && submitter.hasAttribute('formmethod')) ? submitter.formMethod : form.method;
        if (event.defaultPrevented || method === 'dialog')
            return;
        event.preventDefault();
        send(form, submitter);
    });
    HTMLFormElement.prototype.submit = function () { send(this, null); };
})();)JS";

// The default text colour as the lowest-ranking rule of the page:
// zero specificity and first in the document, so any colour the page sets wins.
const char colorScript[] = R"JS((function () {
    var style = document.createElement('style');
    style.id = %1;
    style.textContent = %2;
    function place() {
        var root = document.documentElement;
        if (!root)
            return false;
        root.insertBefore(style, root.firstChild);
        return true;
    }
    if (!place()) {
        var watch = new MutationObserver(function () { if (place()) watch.disconnect(); });
        watch.observe(document, {childList: true});
    }
})();)JS";

// Keeps a new document at a scroll position from its first frame on. Before
// each frame while the document is still being read it is scrolled there, and
// hidden as long as it is too short to stand there, so that no frame shows
// the new document's top while the user watches another part of it.
const char positionScript[] = R"JS((function (position) {
    var root = null;
    var written = null; // the style attribute as the page wrote it
    var hiding = null; // the style attribute while hidden
    var visibility = '';
    var priority = '';
    function place() {
        window.scrollTo(window.scrollX, position);
    }
    function show() {
        if (!root)
            return;
        if (root.getAttribute('style') === hiding) {
            if (written === null)
                root.removeAttribute('style');
            else
                root.setAttribute('style', written);
        } else if (visibility) {
            root.style.setProperty('visibility', visibility, priority);
        } else {
            root.style.removeProperty('visibility');
        }
        root = null;
    }
    var frames = 0;
    var settled = false; // placed for the last time: the document is the user's now
    function beforeFrame() {
        // A frame can come after the document was read, when a busy machine
        // holds frames back; by then the caller may have scrolled elsewhere.
        if (settled)
            return;
        place();
        // A document whose reading stalls (a slow script it waits for) shows
        // after a third of a second, even before it stands where it belongs.
        if (window.scrollY >= position || document.readyState !== 'loading' || ++frames > 20) {
            settled = true;
            show();
            return;
        }
        if (!root && document.documentElement) {
            root = document.documentElement;
            written = root.getAttribute('style');
            visibility = root.style.getPropertyValue('visibility');
            priority = root.style.getPropertyPriority('visibility');
            root.style.setProperty('visibility', 'hidden', 'important');
            hiding = root.getAttribute('style');
        }
        window.requestAnimationFrame(beforeFrame);
    }
    window.requestAnimationFrame(beforeFrame);
    document.addEventListener('DOMContentLoaded', function () {
        settled = true;
        place();
        show();
    });
})(%1);)JS";

// Scrolls to a position (none when negative) and answers [position, end of range].
const char scrollScript[] = R"JS((function (position) {
    if (position >= 0)
        window.scrollTo(window.scrollX, position);
    var root = document.scrollingElement || document.documentElement;
    var end = root ? Math.max(0, root.scrollHeight - window.innerHeight) : 0;
    return [window.scrollY, end];
})(%1))JS";

// Puts new markup in place of one element: the one the selector names (or
// its nearest enclosing element of the second selector); false when the
// selector does not name exactly one element.
const char changeScript[] = R"JS((function (selector, enclosing, html) {
    var found = document.querySelectorAll(selector);
    if (found.length !== 1)
        return false;
    var element = enclosing ? found[0].closest(enclosing) : found[0];
    if (!element || !element.parentElement)
        return false;
    element.outerHTML = html;
    return true;
})(%1, %2, %3))JS";

// Scrolls to the element a fragment names, as following "#name" would.
const char anchorScript[] = R"JS((function (name) {
    var target = document.getElementById(name) || document.getElementsByName(name)[0];
    if (target)
        target.scrollIntoView();
    else if (name === '' || name.toLowerCase() === 'top')
        window.scrollTo(0, 0);
})(%1))JS";

QString jsString(const QString &text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

QString colorRule(const QColor &color)
{
    if (!color.isValid())
        return QString();
    return QStringLiteral(":where(:root) { color: ") + color.name(QColor::HexRgb)
        + QStringLiteral(" }");
}

bool sameDocument(const QUrl &a, const QUrl &b)
{
    return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

// Draws pages fromPage..toPage (1-based; those past the end are left out)
// of a PDF document onto the printer.
bool printPdf(const QByteArray &pdf, QPrinter *printer, int fromPage, int toPage)
{
    QTemporaryFile file;
    if (pdf.isEmpty() || !file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return false;
    QPdfDocument document;
    if (document.load(file.fileName()) != QPdfDocument::Error::None)
        return false;
    const int last = std::min(toPage, document.pageCount());
    if (fromPage > last)
        return false;
    const int resolution = printer->resolution();
    const QPageLayout layout = printer->pageLayout();
    // The engine's pages include the margins; the painter starts inside them.
    const QRect target = layout.fullRectPixels(resolution)
                             .translated(-layout.paintRectPixels(resolution).topLeft());
    // Enough for print; a full page at the resolution of a photo printer
    // would take hundreds of megabytes.
    const qreal renderResolution = std::min(resolution, 300);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    for (int page = fromPage; page <= last; ++page) {
        if (page > fromPage && !printer->newPage())
            return false;
        const QSize pixels = (document.pagePointSize(page - 1) * renderResolution / 72.0).toSize();
        const QImage image = document.render(page - 1, pixels);
        if (image.isNull())
            return false;
        painter.drawImage(target, image);
    }
    return painter.end();
}

QUrl fileAddress(const QString &pathOrUrl)
{
    if (pathOrUrl.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(pathOrUrl);
    return QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath());
}

// A closed renderer's view, page and profile, waiting to be destroyed in that
// order (a page must go before its profile).
class ClosedView : public QObject
{
public:
    ClosedView(QWebEngineView *view, QWebEnginePage *page, QWebEngineProfile *profile)
        : m_view(view)
        , m_page(page)
        , m_profile(profile)
    {
        m_view->setParent(nullptr);
        m_page->setParent(nullptr);
        m_profile->setParent(nullptr);
    }
    ~ClosedView() override
    {
        delete m_view;
        delete m_page;
        delete m_profile;
    }

private:
    QWebEngineView *m_view;
    QWebEnginePage *m_page;
    QWebEngineProfile *m_profile;
};

} // namespace

class Renderer::Private
{
public:
    // One load asked for by the program or started by the page itself.
    struct Load
    {
        enum class Kind { Buffer, Address, Blank };
        Kind kind = Kind::Address;
        QUrl url; // of an address, or where a buffer is served once started
        QString text; // of a buffer
        QString baseDirectory; // of a buffer
        bool addToHistory = false;
        bool started = false; // the engine has begun it
        bool retryIfAborted = false; // asked for while a navigation was being refused
        bool keepPosition = false; // scroll to where the shown document stands
        bool selfStarted = false; // the page went there by itself
        // What was shown when the page began to go elsewhere by itself.
        std::optional<std::pair<QString, QString>> bufferBefore;
        // Of a buffer that differs in this element alone from shownText.
        std::optional<ElementChange> change;
        QString shownText;
    };

    explicit Private(Renderer *renderer)
        : q(renderer)
    {
    }

    Renderer *q;
    // The engine's objects are made when first needed (see createEngine).
    QWebEngineProfile *profile = nullptr;
    RendererDocument document; // what LoadFromBuffer shows
    RendererPage *page = nullptr;
    QWebEngineView *view = nullptr;
    QString token;
    bool destroying = false;
    bool deciding = false; // inside the engine's question whether to navigate
    bool painted = false; // the stand-in has been drawn once
    bool startWaits = false; // a load waits for the stand-in's first paint

    // Settings made before the engine's objects exist, applied when they are made.
    bool viewImages = true;
    bool imageCache = false;
    std::optional<QColor> background;
    std::optional<QString> fontName;
    std::optional<int> fontPoints;

    std::optional<Load> current; // the load in progress
    std::optional<Load> queued; // waits until the current load ends
    bool busy = false;
    QUrl shownUrl; // what the user sees as the address; empty after Clear
    // The text and base directory of the document shown, while it is one
    // LoadFromBuffer loaded in full and nothing has been loaded since.
    std::optional<std::pair<QString, QString>> shownBuffer;
    // Main-frame navigations refused whose start and end may still be
    // reported; they must not be taken for the load asked for in their place.
    QList<QUrl> refusedUrls;
    void refused(const QUrl &url);

    int position = 0;
    int maxPosition = 0;
    std::optional<int> pendingPosition;

    QStringList history;
    int historyIndex = 0;
    int historyMaxCount = defaultHistoryMaxCount;

    QColor fontColor;

    QString findText;
    bool findMatchCase = false;
    int findActiveMatch = 0;
    std::shared_ptr<std::function<void(bool)>> findDone; // of the search under way

    // A print in progress. The engine cannot let go of a page it is
    // printing: a renderer closed meanwhile leaves the page, its view and
    // profile to the job, which deletes them when the engine is done.
    struct PrintJob
    {
        std::function<void(bool)> done;
        bool orphaned = false;
        QWebEngineView *view = nullptr;
        QWebEnginePage *page = nullptr;
        QWebEngineProfile *profile = nullptr;

        // True when the renderer is gone and everything has been released.
        bool releaseIfOrphaned()
        {
            if (!orphaned)
                return false;
            (new ClosedView(view, page, profile))->deleteLater();
            return true;
        }
    };
    std::shared_ptr<PrintJob> printJob;
    void endPrint(bool ok);

    // Makes the profile, page and view. Starting the engine takes longer than
    // anything else at program start, so a renderer makes them only when it
    // first loads something or has been drawn on the screen.
    void createEngine();
    void ensureEngine()
    {
        if (!page)
            createEngine();
    }
    void startAfterPaint();
    void applyBackground();
    void applyFontName();
    void applyFontSize();

    void request(Load load);
    void start();
    void finish(bool ok);
    void setBusy(bool on);
    void addToHistory(const QString &address);
    void updateColorScript();
    void runScroll(int position, std::function<void()> then);
    void runAnchor(const QString &name, std::function<void()> then);
    void scrolled(int to);
    void updatePositionScript(int position);
    // The address a user sees: the base directory for the document given as text.
    QUrl shownAddress(const QUrl &url) const;
    bool acceptNavigation(const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame);
    void dropRefusedStart(const QUrl &url);
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void scriptMessage(const QString &message);
    void newWindow(const QUrl &url, bool userInitiated);
};

void Renderer::prepareEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void Renderer::showEngineDiagnostics(bool shown)
{
    if (shown)
        return;
    // The engine reports its graphics set-up and start parameters at every
    // start. Rules in QT_LOGGING_RULES are applied after these, so a user
    // who asks for the messages there still gets them.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

Renderer::Renderer(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    d->token = QString::number(QRandomGenerator::global()->generate64(), 36);
    // Until the engine's view is there, this widget draws the empty page itself.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

Renderer::~Renderer()
{
    d->destroying = true;
    if (d->findDone && *d->findDone)
        std::exchange(*d->findDone, nullptr)(false);
    if (!d->page)
        return;
    d->page->setNavigationFilter(nullptr);
    d->page->disconnect(this);
    d->view->disconnect(this);
    if (d->printJob) {
        const std::shared_ptr<Private::PrintJob> job = std::exchange(d->printJob, nullptr);
        if (auto done = std::exchange(job->done, nullptr))
            done(false);
        job->orphaned = true;
        d->view->hide();
        d->view->setParent(nullptr);
        d->page->setParent(nullptr);
        d->profile->setParent(nullptr);
        return;
    }
    // The engine (Qt 6.4) has a race in tearing down a view: its compositor
    // thread may hand the view's drawing item a new frame while the item is
    // being destroyed, which aborts the program ("pure virtual method called").
    // So a view on the screen is hidden first, which stops the engine drawing
    // it, and the view, page and profile go on the event loop's next turn, when
    // no frame can be on its way any more. A view never shown draws nothing;
    // hiding it would make the engine set up the page just to hide it.
    if (d->view->isVisible()) {
        d->view->hide();
        d->page->triggerAction(QWebEnginePage::Stop);
        (new ClosedView(d->view, d->page, d->profile))->deleteLater();
        return;
    }
    // The page must go before its profile.
    delete d->view;
    delete d->page;
}

void Renderer::paintEvent(QPaintEvent *event)
{
    if (d->page)
        return; // the engine's view covers the renderer
    QPainter(this).fillRect(event->rect(),
                            d->background && d->background->isValid() ? *d->background
                                                                      : QColor(Qt::white));
    if (std::exchange(d->painted, true))
        return;
    // The engine starts once this first paint is on the screen.
    QTimer::singleShot(0, this, [this] { d->startAfterPaint(); });
}

void Renderer::LoadFromBuffer(const QString &text, const QString &baseDirectory)
{
    Private::Load load;
    load.kind = Private::Load::Kind::Buffer;
    load.text = text;
    load.baseDirectory = baseDirectory;
    d->request(std::move(load));
}

void Renderer::LoadChangedBuffer(const QString &text, const QString &baseDirectory,
                                 const QString &shownText, const ElementChange &change)
{
    Private::Load load;
    load.kind = Private::Load::Kind::Buffer;
    load.text = text;
    load.baseDirectory = baseDirectory;
    load.change = change;
    load.shownText = shownText;
    d->request(std::move(load));
}

void Renderer::LoadFromFile(const QString &path)
{
    Private::Load load;
    load.url = fileAddress(path);
    load.addToHistory = true;
    d->request(std::move(load));
}

void Renderer::Clear()
{
    Private::Load load;
    load.kind = Private::Load::Kind::Blank;
    load.url = QUrl(QStringLiteral("about:blank"));
    d->request(std::move(load));
}

bool Renderer::ShowsBuffer(const QString &text, const QString &baseDirectory) const
{
    return !d->busy && d->shownBuffer && d->shownBuffer->second == baseDirectory
        && d->shownBuffer->first == text;
}

bool Renderer::Busy() const
{
    return d->busy;
}

QString Renderer::CurrentAddress() const
{
    return d->shownUrl.toString();
}

QString Renderer::DocumentTitle() const
{
    if (!d->page)
        return QString();
    const QString title = d->page->title();
    // The engine names an untitled document after its address.
    const QUrl url = d->page->url();
    if (title == url.toString() || title == url.toDisplayString()
        || title == url.toString(QUrl::RemoveScheme)
        || title == url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority)
        || title == url.toString(QUrl::RemoveScheme | QUrl::PreferLocalFile)
        || url.scheme() == QLatin1String("about") || title == url.toLocalFile()
        || title == url.fileName()
        || (url.hasQuery() && title == url.fileName() + u'?' + url.query()))
        return QString();
    return title;
}

int Renderer::Position() const
{
    if (d->pendingPosition)
        return *d->pendingPosition;
    return d->position;
}

void Renderer::SetPosition(int position)
{
    position = qMax(0, position);
    if (d->busy) {
        // Applied when the load ends: the document has no height before.
        d->pendingPosition = position;
        return;
    }
    d->position = qMin(position, d->maxPosition);
    if (d->page) // without it there is no document to scroll
        d->runScroll(position, nullptr);
}

void Renderer::KeepPosition()
{
    if (!d->busy)
        return;
    Private::Load &latest = d->queued ? *d->queued : *d->current;
    latest.keepPosition = true;
    d->pendingPosition.reset();
}

int Renderer::MaxVertPos() const
{
    return d->maxPosition;
}

bool Renderer::ViewImages() const
{
    return d->viewImages;
}

void Renderer::SetViewImages(bool on)
{
    if (on != d->viewImages)
        d->shownBuffer.reset(); // a new load would not show the same
    d->viewImages = on;
    if (d->page)
        d->page->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, on);
}

void Renderer::SetImageCacheCount(int count)
{
    d->imageCache = count > 0;
    if (!d->profile)
        return;
    const auto wanted
        = count <= 0 ? QWebEngineProfile::NoCache : QWebEngineProfile::MemoryHttpCache;
    if (d->profile->httpCacheType() == wanted)
        return; // the preview asks before every refresh; clearing each time costs a round trip
    d->profile->setHttpCacheType(wanted);
    if (wanted == QWebEngineProfile::NoCache)
        d->profile->clearHttpCache();
}

void Renderer::SetDefBackground(const QColor &color)
{
    d->background = color;
    d->applyBackground();
    update(); // the stand-in shows it too
}

void Renderer::SetDefFontName(const QString &name)
{
    d->fontName = name;
    d->applyFontName();
}

void Renderer::SetDefFontSize(int points)
{
    d->fontPoints = points;
    d->applyFontSize();
}

void Renderer::SetDefFontColor(const QColor &color)
{
    d->fontColor = color;
    d->updateColorScript();
}

int Renderer::HistoryMaxCount() const
{
    return d->historyMaxCount;
}

void Renderer::SetHistoryMaxCount(int count)
{
    d->historyMaxCount = qMax(1, count);
    if (d->history.size() > d->historyMaxCount) {
        d->history.resize(d->historyMaxCount);
        d->historyIndex = qMin(d->historyIndex, int(d->history.size()) - 1);
        emit historyChanged();
    }
}

QStringList Renderer::History() const
{
    return d->history;
}

int Renderer::HistoryIndex() const
{
    return d->historyIndex;
}

void Renderer::SetHistoryIndex(int index)
{
    if (index < 0 || index >= d->history.size())
        return;
    d->historyIndex = index;
    Private::Load load;
    load.url = QUrl(d->history.at(index));
    d->request(std::move(load));
    emit historyChanged();
}

int Renderer::SelLength() const
{
    return int(SelText().size());
}

QString Renderer::SelText() const
{
    return d->page ? d->page->selectedText() : QString();
}

void Renderer::CopyToClipboard()
{
    // Straight from the selection, so the clipboard holds it when this returns.
    const QString text = SelText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void Renderer::DocumentText(std::function<void(const QString &text)> done)
{
    if (!done)
        return;
    if (d->destroying) {
        done(QString());
        return;
    }
    d->ensureEngine();
    // The page's own select-all, read back as the selection's text.
    static const char script[]
        = "(function(){var s=window.getSelection();if(!s)return '';"
          "document.execCommand('selectAll');var t=s.toString();s.removeAllRanges();return t;})()";
    QPointer<Renderer> self(this);
    d->page->runJavaScript(QString::fromLatin1(script), QWebEngineScript::ApplicationWorld,
                           [self, done = std::move(done)](const QVariant &result) {
                               if (!self || self->d->destroying)
                                   done(QString());
                               else
                                   done(result.toString());
                           });
}

void Renderer::FindNext(const QString &text, bool matchCase, std::function<void(bool found)> done)
{
    if (!done)
        done = [](bool) {};
    if (text.isEmpty()) {
        done(false);
        return;
    }
    const bool again = text == d->findText && matchCase == d->findMatchCase;
    if (!again) {
        d->findText = text;
        d->findMatchCase = matchCase;
        d->findActiveMatch = 0;
    }
    const QWebEnginePage::FindFlags flags
        = matchCase ? QWebEnginePage::FindCaseSensitively : QWebEnginePage::FindFlags();
    auto answer = std::make_shared<std::function<void(bool)>>(std::move(done));
    d->findDone = answer;
    d->ensureEngine();
    QPointer<Renderer> self(this);
    d->page->findText(text, flags, [self, answer](const QWebEngineFindTextResult &result) {
        auto done = std::exchange(*answer, nullptr);
        if (!done)
            return;
        if (!self || self->d->destroying) {
            done(false);
            return;
        }
        const int active = result.activeMatch();
        // The engine starts again at the top after the last match; forward
        // search ends there instead, and the next search starts afresh.
        const bool found = result.numberOfMatches() > 0 && active > self->d->findActiveMatch;
        if (found) {
            self->d->findActiveMatch = active;
        } else {
            if (result.numberOfMatches() > 0) {
                // The engine went round to the first match. Back on the last,
                // the next search goes on from there: to the first match.
                self->d->page->findText(self->d->findText,
                                        (self->d->findMatchCase
                                             ? QWebEnginePage::FindCaseSensitively
                                             : QWebEnginePage::FindFlags())
                                            | QWebEnginePage::FindBackward);
            }
            self->d->findText.clear();
            self->d->findActiveMatch = 0;
        }
        done(found);
    });
}

void Renderer::Print(QPrinter *printer, int fromPage, int toPage, std::function<void(bool ok)> done)
{
    if (!done)
        done = [](bool) {};
    if (!printer || d->printJob || fromPage < 1 || toPage < fromPage) {
        done(false);
        return;
    }
    d->ensureEngine();
    auto job = std::make_shared<Private::PrintJob>();
    job->done = std::move(done);
    job->view = d->view;
    job->page = d->page;
    job->profile = d->profile;
    d->printJob = job;
    Private *p = d.get();
    // The engine lays the document out in pages for this printer; the pages
    // asked for are then drawn onto the printer here (the engine's own
    // printing mixes up page ranges).
    d->page->printToPdf(
        [job, p, printer, fromPage, toPage](const QByteArray &pdf) {
            if (job->releaseIfOrphaned())
                return;
            p->endPrint(printPdf(pdf, printer, fromPage, std::min(toPage, lastPrintablePage)));
        },
        printer->pageLayout());
}

void Renderer::Private::createEngine()
{
    // Each renderer has a profile of its own kept in memory only, with no
    // cache that could show old images (unless asked for).
    profile = new QWebEngineProfile(q);
    profile->setHttpCacheType(imageCache ? QWebEngineProfile::MemoryHttpCache
                                         : QWebEngineProfile::NoCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);

    page = new RendererPage(profile, token + QLatin1Char(':'), q);
    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, viewImages);
    applyBackground();
    applyFontName();
    applyFontSize();

    QWebEngineScript forms;
    forms.setName(QStringLiteral("forms"));
    forms.setInjectionPoint(QWebEngineScript::DocumentCreation);
    forms.setWorldId(QWebEngineScript::MainWorld);
    forms.setRunsOnSubFrames(true);
    forms.setSourceCode(QString::fromLatin1(formScript).arg(jsString(token + QLatin1Char(':'))));
    page->scripts().insert(forms);
    if (fontColor.isValid())
        updateColorScript();

    view = new QWebEngineView(q);
    view->setPage(page);
    // The engine's own menu would offer browser commands; the owner of the
    // renderer gets the request instead (see the header).
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, q, [this](const QPoint &where) {
        if (q->contextMenuPolicy() == Qt::CustomContextMenu)
            emit q->customContextMenuRequested(q->mapFromGlobal(view->mapToGlobal(where)));
    });
    q->layout()->addWidget(view);
    q->setFocusProxy(view);
    // A child made after its parent was shown stays hidden until told.
    view->show();

    page->setNavigationFilter(
        [this](const QUrl &url, QWebEnginePage::NavigationType type, bool isMainFrame) {
            return acceptNavigation(url, type, isMainFrame);
        });
    QObject::connect(page, &QWebEnginePage::loadingChanged, q,
                     [this](const QWebEngineLoadingInfo &info) { loadingChanged(info); });
    QObject::connect(page, &QWebEnginePage::titleChanged, q,
                     [this] { emit q->titleChanged(q->DocumentTitle()); });
    QObject::connect(page, &QWebEnginePage::linkHovered, q, [this](const QString &url) {
        emit q->hotSpotCovered(url.isEmpty() ? QString() : shownAddress(QUrl(url)).toString());
    });
    QObject::connect(page, &QWebEnginePage::scrollPositionChanged, q,
                     [this](const QPointF &where) { scrolled(qRound(where.y())); });
    QObject::connect(page, &QWebEnginePage::contentsSizeChanged, q, [this](const QSizeF &size) {
        const qreal zoom = page->zoomFactor() > 0 ? page->zoomFactor() : 1.0;
        maxPosition = qMax(0, qRound(size.height() - view->height() / zoom));
    });
    QObject::connect(page, &QWebEnginePage::newWindowRequested, q,
                     [this](QWebEngineNewWindowRequest &request) {
                         newWindow(request.requestedUrl(), request.isUserInitiated());
                     });
    QObject::connect(page, &RendererPage::scriptMessage, q,
                     [this](const QString &message) { scriptMessage(message); });
}

void Renderer::Private::startAfterPaint()
{
    if (destroying)
        return;
    ensureEngine();
    if (std::exchange(startWaits, false) && current)
        start();
}

void Renderer::Private::applyBackground()
{
    if (page && background)
        page->setBackgroundColor(background->isValid() ? *background : QColor(Qt::white));
}

void Renderer::Private::applyFontName()
{
    if (!page || !fontName)
        return;
    QWebEngineSettings *settings = page->settings();
    if (fontName->isEmpty())
        settings->resetFontFamily(QWebEngineSettings::StandardFont);
    else
        settings->setFontFamily(QWebEngineSettings::StandardFont, *fontName);
}

void Renderer::Private::applyFontSize()
{
    if (!page || !fontPoints)
        return;
    QWebEngineSettings *settings = page->settings();
    if (*fontPoints <= 0)
        settings->resetFontSize(QWebEngineSettings::DefaultFontSize);
    else // the engine measures fonts in CSS pixels, 96 to the inch
        settings->setFontSize(QWebEngineSettings::DefaultFontSize,
                              qRound(*fontPoints * 96.0 / 72.0));
}

void Renderer::Private::endPrint(bool ok)
{
    const std::shared_ptr<PrintJob> job = std::exchange(printJob, nullptr);
    if (job && job->done)
        std::exchange(job->done, nullptr)(ok);
}

void Renderer::Private::request(Load load)
{
    if (current) {
        // One load at a time: the newest request waits for the current one,
        // and replaces any older request still waiting.
        if (queued)
            emit q->loadFinished(false);
        queued = std::move(load);
        return;
    }
    current = std::move(load);
    // Asked for while the engine waits to hear whether a navigation may go
    // on, the load could be cancelled by the navigation refused.
    current->retryIfAborted = deciding;
    // The load starts once the caller is done, so that a position it asks for
    // next (SetPosition) is known before the document comes.
    setBusy(true);
    QMetaObject::invokeMethod(
        q,
        [this] {
            if (!destroying && current)
                start();
        },
        Qt::QueuedConnection);
}

void Renderer::Private::start()
{
    setBusy(true);
    if (!page) {
        // A renderer on the screen is drawn once before the engine starts, so
        // that the window around it appears at once; the load goes on after
        // that paint (paintEvent), or after a second in a window never drawn
        // (minimised as it opened).
        if (q->isVisible() && !painted && !q->size().isEmpty()) {
            if (!std::exchange(startWaits, true))
                QTimer::singleShot(1000, q, [this] { startAfterPaint(); });
            return;
        }
        createEngine();
    }
    Load &load = *current;
    if (load.keepPosition) {
        // Measured rather than taken from the engine's scroll reports, which
        // can lag behind or, now and then, never come.
        load.keepPosition = false;
        runScroll(-1, [this] {
            if (!current)
                return;
            pendingPosition = position;
            start();
        });
        return;
    }
    // Whatever this load shows, it is no longer that text.
    const std::optional<std::pair<QString, QString>> shown
        = std::exchange(shownBuffer, std::nullopt);
    std::optional<ElementChange> change = std::exchange(load.change, std::nullopt);
    // Only on the very document the change was meant for.
    if (load.kind == Load::Kind::Buffer && change && shown
        && *shown == std::pair(load.shownText, load.baseDirectory)) {
        const QString script = QString::fromLatin1(changeScript)
                                   .arg(jsString(change->selector), jsString(change->enclosing),
                                        jsString(change->html));
        QPointer<Renderer> self(q);
        page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                            [self, this](const QVariant &changed) {
                                if (!self || destroying || !current)
                                    return;
                                if (!changed.toBool()) {
                                    start(); // the whole text after all
                                    return;
                                }
                                current->url = page->url();
                                finish(true);
                            });
        return;
    }
    if (load.kind == Load::Kind::Buffer) {
        const Expected<QUrl> written = document.write(load.text, load.baseDirectory);
        if (!written) {
            qWarning("%s", qPrintable(written.error()));
            // Like every other load, this one ends after the call that asked for it.
            QMetaObject::invokeMethod(
                q,
                [this] {
                    if (!destroying && current)
                        finish(false);
                },
                Qt::QueuedConnection);
            return;
        }
        load.url = *written;
    }
    if (load.url.hasFragment() && !page->isLoading() && sameDocument(load.url, page->url())) {
        // The engine moves within a document without any load signal; jump
        // to the anchor here instead, so that this load ends like any other.
        runAnchor(load.url.fragment(QUrl::FullyDecoded), [this] {
            if (current)
                finish(true);
        });
        return;
    }
    updatePositionScript(pendingPosition.value_or(0));
    page->load(load.url);
}

void Renderer::Private::updatePositionScript(int position)
{
    // The new document scrolls to the position as soon as its content is
    // parsed, before it is first shown, rather than jumping there after the load.
    const QString name = QStringLiteral("position");
    for (const QWebEngineScript &old : page->scripts().find(name))
        page->scripts().remove(old);
    if (position <= 0)
        return;
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QString::fromLatin1(positionScript).arg(position));
    page->scripts().insert(script);
}

void Renderer::Private::finish(bool ok)
{
    const Load load = std::move(*current);
    current.reset();
    updatePositionScript(0);
    if (ok || load.kind == Load::Kind::Blank) {
        shownUrl = load.kind == Load::Kind::Blank ? QUrl() : shownAddress(load.url);
        if (load.addToHistory)
            addToHistory(shownUrl.toString());
    }
    findText.clear();
    findActiveMatch = 0;

    const int target = pendingPosition.value_or(-1);
    pendingPosition.reset();
    std::optional<std::pair<QString, QString>> buffer;
    if (ok && load.kind == Load::Kind::Buffer)
        buffer.emplace(load.text, load.baseDirectory);
    const auto end = [this, ok, buffer = std::move(buffer)] {
        if (destroying)
            return;
        shownBuffer = buffer;
        if (queued) {
            emit q->loadFinished(ok);
            current = std::move(queued);
            queued.reset();
            start();
            return;
        }
        setBusy(false);
        emit q->loadFinished(ok);
    };
    // Measure the new document (and scroll it) before reporting the load.
    runScroll(target, end);
}

void Renderer::Private::setBusy(bool on)
{
    if (busy == on)
        return;
    busy = on;
    emit q->busyChanged(on);
}

void Renderer::Private::addToHistory(const QString &address)
{
    // Going somewhere new from an older entry drops the newer entries, as in a browser.
    history.erase(history.begin(), history.begin() + qMin(historyIndex, int(history.size())));
    historyIndex = 0;
    if (history.isEmpty() || history.first() != address)
        history.prepend(address);
    if (history.size() > historyMaxCount)
        history.resize(historyMaxCount);
    emit q->historyChanged();
}

void Renderer::Private::updateColorScript()
{
    if (!page)
        return; // made with the page
    const QString name = QStringLiteral("default-color");
    const QString id = QStringLiteral("tarnwick-") + token;
    for (const QWebEngineScript &old : page->scripts().find(name))
        page->scripts().remove(old);
    const QString rule = colorRule(fontColor);
    if (!rule.isEmpty()) {
        QWebEngineScript script;
        script.setName(name);
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setRunsOnSubFrames(true);
        script.setSourceCode(QString::fromLatin1(colorScript).arg(jsString(id), jsString(rule)));
        page->scripts().insert(script);
    }
    // The document shown takes the new colour at once.
    page->runJavaScript(
        QStringLiteral("(function(){var s=document.getElementById(%1);if(s)s.textContent=%2;})()")
            .arg(jsString(id), jsString(rule)),
        QWebEngineScript::ApplicationWorld);
}

void Renderer::Private::runScroll(int target, std::function<void()> then)
{
    QPointer<Renderer> self(q);
    page->runJavaScript(QString::fromLatin1(scrollScript).arg(target),
                        QWebEngineScript::ApplicationWorld,
                        [self, this, then](const QVariant &result) {
                            if (!self || destroying)
                                return;
                            const QVariantList values = result.toList();
                            if (values.size() == 2) {
                                position = qRound(values.at(0).toDouble());
                                maxPosition = qRound(values.at(1).toDouble());
                            }
                            if (then)
                                then();
                        });
}

void Renderer::Private::scrolled(int to)
{
    // The engine reports the scroll position frame by frame. While a load
    // runs, the frames are the new document's before it stands where it
    // belongs, and the load measures the position when it ends. A report of
    // the top can also come in after that, from a frame painted before the
    // document was scrolled: the top is believed once the document says so.
    if (busy)
        return;
    if (to == 0 && position > 0)
        runScroll(-1, nullptr);
    else
        position = to;
}

void Renderer::Private::runAnchor(const QString &name, std::function<void()> then)
{
    QPointer<Renderer> self(q);
    page->runJavaScript(QString::fromLatin1(anchorScript).arg(jsString(name)),
                        QWebEngineScript::ApplicationWorld, [self, this, then](const QVariant &) {
                            if (self && !destroying && then)
                                then();
                        });
}

QUrl Renderer::Private::shownAddress(const QUrl &url) const
{
    if (!document.isDocument(url))
        return url;
    QUrl shown = document.baseUrl();
    shown.setFragment(url.fragment());
    return shown;
}

bool Renderer::Private::acceptNavigation(const QUrl &url, QWebEnginePage::NavigationType type,
                                         bool isMainFrame)
{
    deciding = true;
    const auto decided = qScopeGuard([this] { deciding = false; });
    // Marked before anything is asked: the handler of a clicked link may load
    // its own document, whose acceptance must not unmark this one.
    if (isMainFrame)
        refused(url);
    if (type == QWebEnginePage::NavigationTypeFormSubmitted)
        return false; // reported by the form script, never sent
    if (isMainFrame && document.isDocument(page->url()) && document.isWithinDocument(url)) {
        // "#name" in a document given as text resolves against its base
        // directory; it means a place in the document, as it would on disk.
        runAnchor(url.fragment(QUrl::FullyDecoded), nullptr);
        return false;
    }
    if (type == QWebEnginePage::NavigationTypeLinkClicked) {
        bool handled = false;
        emit q->hotSpotClicked(shownAddress(url).toString(), &handled);
        if (destroying)
            return false;
        if (handled) {
            dropRefusedStart(url);
            return false;
        }
    }
    if (isMainFrame)
        refusedUrls.removeOne(url); // goes ahead: its start and end are a load's
    return true;
}

void Renderer::Private::refused(const QUrl &url)
{
    refusedUrls.removeOne(url);
    refusedUrls.append(url);
    // A refused navigation is not always reported; the oldest are let go.
    while (refusedUrls.size() > 8)
        refusedUrls.removeFirst();
}

// A link of a scheme the engine does not know starts loading before it is
// offered to acceptNavigation; refused there, that start is no load.
void Renderer::Private::dropRefusedStart(const QUrl &url)
{
    if (!current || !current->selfStarted || current->url != url)
        return;
    const std::optional<std::pair<QString, QString>> shown = std::move(current->bufferBefore);
    current.reset();
    if (!queued) {
        shownBuffer = shown; // nothing left the document shown
        setBusy(false);
        return;
    }
    Load next = std::move(*queued);
    queued.reset();
    request(std::move(next));
}

void Renderer::Private::loadingChanged(const QWebEngineLoadingInfo &info)
{
    if (destroying)
        return;
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        // A navigation refused in acceptNavigation still starts and stops;
        // its start says nothing of a load asked for meanwhile, even of the
        // same address (a link handled by loading its own target).
        if (refusedUrls.contains(info.url()))
            return;
        if (!current) {
            // The page went somewhere by itself (a followed link, a script).
            Load load;
            load.url = info.url();
            load.addToHistory = true;
            load.started = true;
            load.selfStarted = true;
            load.bufferBefore = std::exchange(shownBuffer, std::nullopt);
            current = load;
            setBusy(true);
        } else if (current && sameDocument(info.url(), current->url)) {
            current->started = true;
        }
        return;
    }
    // Loads run one at a time, so once ours has begun, the next end is its
    // own, even at another address after a redirection.
    if (refusedUrls.removeOne(info.url()))
        return; // the end of a refused navigation, late as it may come
    if (!current || (!current->started && !sameDocument(info.url(), current->url)))
        return;
    if (current->retryIfAborted && info.status() != QWebEngineLoadingInfo::LoadSucceededStatus
        && info.errorCode() == abortedErrorCode) {
        // The navigation refused just before may still cancel a load begun
        // meanwhile; by now it is gone, so the load starts again.
        current->retryIfAborted = false;
        current->started = false;
        page->load(current->url);
        return;
    }
    if (!sameDocument(info.url(), current->url))
        current->url = info.url();
    finish(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && !info.isErrorPage());
}

void Renderer::Private::newWindow(const QUrl &url, bool userInitiated)
{
    // A preview has no other windows: a link meant for a new one is a link
    // like any other. Windows a script opens by itself stay closed.
    if (!userInitiated || destroying)
        return;
    const QUrl address = shownAddress(url);
    bool handled = false;
    emit q->hotSpotClicked(address.toString(), &handled);
    if (handled || destroying)
        return;
    Load load;
    load.url = address;
    load.addToHistory = true;
    request(std::move(load));
}

void Renderer::Private::scriptMessage(const QString &message)
{
    const QJsonObject form = QJsonDocument::fromJson(message.toUtf8())
                                 .object()
                                 .value(QLatin1String("form"))
                                 .toObject();
    if (form.isEmpty())
        return;
    QStringList pairs;
    for (const QJsonValue &pair : form.value(QLatin1String("pairs")).toArray()) {
        const QJsonArray nameValue = pair.toArray();
        pairs.append(nameValue.at(0).toString() + QLatin1Char('=') + nameValue.at(1).toString());
    }
    const QString action
        = shownAddress(QUrl(form.value(QLatin1String("action")).toString())).toString();
    emit q->formSubmitted(action, form.value(QLatin1String("method")).toString().toUpper(), pairs);
}

} // namespace Tarnwick

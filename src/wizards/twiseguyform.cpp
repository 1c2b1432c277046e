// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/twiseguyform.h"

#include "platform/editorcontrol.h"
#include "wizards/dialogparts.h"
#include "wizards/guidednotebook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

using DialogParts::named;

namespace {

const QString caption = QStringLiteral("The Vaza Ded");

// A label shows its text as it stands: one "&" between Prev and Next.
const char *const greeting[3] = {
    "Greetings, I am your Vaza Ded and will be your guide in helping you set up your very own web "
    "page. When you press the Start button below the standard \"Initial Values\" screen will "
    "appear.  Fill in the appropriate information and select OK.",
    "Once you select OK, two buttons will appear below.  By pressing either the Prev & Next button "
    "you will be taken to the next section where you can add information to your page. You may "
    "switch pages as often as you like and add as many items as you like.",
    "When you are finished select the close button.",
};

const char *const afterStart[3] = {
    "Type in the title of you web page first.  This does not visibly appear on your page but is "
    "used by search engines to find your page. Next type in some comments, these are for your "
    "reference only. Next select a background graphic.",
    "You may either type the filename in the entry field or you can click the magnifying glass "
    "icon to search your drives for a graphic you would like to use.",
    "Next you must select colors for items that will appear on your page. The easiest way to do it "
    "is to select the color tag icon next to each option and pick your color. Finally enter your "
    "email address so that it will appear at the bottom of your page.",
};

const char *const tabFooter
    = "Changing your entry does not change it on the page. When you get the look you want, click "
      "the Add button and it will be added to the page. You can then click the Prev/Next button to "
      "add other items.  Each item you add gets inserted sequentially.";

// The explanations of the notebook's first six tabs; a null second text hides
// the second label. Later tabs keep the texts shown before them.
const char *const tabTexts[][2] = {
    { "Type in the a heading that you would like to appear on the page in the Header Text field.  "
      "You can adjust the size by increasing or decreasing the number.  The smaller the number the "
      "larger the text.",
      "You may also choose the justification of the heading by selecting either left or right "
      "justification.  Changes will appear in the small view on the page." },
    { "Tables are a snap with Tarnwick, just change the options on the screen to create the "
      "perfect looking table.  When you are finished with the Vaza Ded you can edit the text in "
      "the interactive editor.",
      "Each cell will be marked with its row and column so finding the exact location to enter "
      "your text in should be a snap." },
    { "To make it easier for you we included a parent and child section for list creation.  Just "
      "choose the number of parent items and how many children each will have and the list will "
      "be created.  You also select the style.",
      "By entering text in the table at the right you can have it appear in the list that you are "
      "creating." },
    { "To add an image simply type in the filename of the graphic you wish to include in your "
      "page. Click on the magnifying glass to search your drive for the image. When you add a "
      "select image to your page it will be copied to your directory.",
      "If you have loaded an external page that you would like to peel off images from you can "
      "click on the external page radio button and click the down arrow again and you will have "
      "access to those images now." },
    { "This simple memo field allows you to type in text and format it to your specifications and "
      "view it before adding it to your page.  Type in your paragraph and select the formating "
      "options you wish to use.",
      nullptr },
    { "Adding links to your page is a snap as well.  Left click on the dropdown arrow and you will "
      "see a list of all links that exist in your current page.  Justify it to your liking and "
      "define whether it is a URL link or an anchor on the page.",
      "If you have loaded an external page that you would like to peel off links from you can "
      "click on the external page radio button and click the down arrow again and you will have "
      "access to those links now." },
};
constexpr int explainedTabs = int(std::size(tabTexts));

// The greeting's picture: the program's brackets, drawn so that it needs no image format.
QPixmap guidePicture()
{
    QPixmap pixmap(150, 80);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0, QColor(0x1f, 0x3b, 0x5c));
    sky.setColorAt(1, QColor(0x3d, 0x7e, 0xa6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(pixmap.rect(), 10, 10);
    painter.setPen(QColor(0xf4, 0xd0, 0x3f));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 30, QFont::Bold));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("</>"));
    return pixmap;
}

} // namespace

const QString TWiseGuyForm::homePage = QStringLiteral("https://tarnwick.example.org/");

QString TWiseGuyForm::creditLine()
{
    return QStringLiteral("<p align=center><a href=\"") + homePage
        + QStringLiteral("\">This page created with Tarnwick, check it out...</a>");
}

TWiseGuyForm::~TWiseGuyForm() = default;

TWiseGuyForm::TWiseGuyForm(Context context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_context(std::move(context))
    , m_picture(named(new QLabel(this), "Image1"))
    , m_start(named(new QPushButton(QStringLiteral("Start"), this), "StartBtn"))
    , m_prev(named(new QPushButton(QStringLiteral("Prev"), this), "PrevBtn"))
    , m_next(named(new QPushButton(QStringLiteral("Next"), this), "NextBtn"))
    , m_close(named(new QPushButton(QStringLiteral("&Close"), this), "CloseBtn"))
{
    setObjectName(QStringLiteral("WiseGuyForm"));
    setModal(false);
    setFixedWidth(340);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    // The texts stand 20 pixels narrower than the window.
    layout->setContentsMargins(10, 10, 10, 10);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(guidePicture());
    layout->addWidget(m_picture);
    const char *names[3] = { "Label1", "Label2", "Label3" };
    for (int i = 0; i < 3; ++i) {
        m_labels[i] = named(new QLabel(this), names[i]);
        m_labels[i]->setTextFormat(Qt::PlainText);
        m_labels[i]->setWordWrap(true);
        m_labels[i]->setFixedWidth(320);
        layout->addWidget(m_labels[i]);
    }
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : { m_start, m_prev, m_next, m_close }) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(m_start, &QPushButton::clicked, this, &TWiseGuyForm::StartClick);
    connect(m_prev, &QPushButton::clicked, this, &TWiseGuyForm::PrevClick);
    connect(m_next, &QPushButton::clicked, this, &TWiseGuyForm::NextClick);
    connect(m_close, &QPushButton::clicked, this, &TWiseGuyForm::CloseClick);
}

QLabel *TWiseGuyForm::label(int number) const
{
    return m_labels[number - 1];
}

GuidedNotebook *TWiseGuyForm::notebook() const
{
    return m_context.notebook ? m_context.notebook() : nullptr;
}

void TWiseGuyForm::setTexts(const QString &first, const QString &second, const QString &third)
{
    m_labels[0]->setText(first);
    m_labels[1]->setText(second);
    m_labels[2]->setText(third);
    m_labels[1]->setVisible(true);
}

void TWiseGuyForm::showGuide()
{
    // Asked again while it runs: the run goes on.
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    setWindowTitle(caption);
    setTexts(QLatin1String(greeting[0]), QLatin1String(greeting[1]), QLatin1String(greeting[2]));
    m_picture->show();
    m_start->show();
    for (QPushButton *b : { m_prev, m_next, m_close })
        b->hide();
    m_started = false;
    m_startedPage.clear();
    move(10, 50);
    show();
    raise();
    activateWindow();
}

void TWiseGuyForm::StartClick()
{
    m_picture->hide();
    setTexts(QLatin1String(afterStart[0]), QLatin1String(afterStart[1]),
             QLatin1String(afterStart[2]));
    m_start->hide();
    // New leads to the Initial Values dialog; the page it leaves active is
    // the one this run builds.
    if (m_context.newPage)
        m_context.newPage();
    m_started = true;
    m_startedPage = m_context.currentPage ? m_context.currentPage() : QString();
    m_prev->show();
    m_prev->setEnabled(false);
    m_next->show();
    m_next->setEnabled(true);
    m_close->show();
    // The notebook is guided from here on; until Start it serves the Insert commands as usual.
    if (GuidedNotebook *book = notebook()) {
        book->setGuided(true);
        book->selectTab(0);
        showTabTexts(book);
        book->showBeside(frameGeometry());
    }
}

GuidedNotebook *TWiseGuyForm::guidedNotebook()
{
    GuidedNotebook *book = notebook();
    if (!book || !m_started)
        return nullptr;
    // Closed by the user while the run goes on: Prev and Next bring it back.
    if (!book->isGuided()) {
        book->setGuided(true);
        book->showBeside(frameGeometry());
    }
    return book;
}

void TWiseGuyForm::showTabTexts(GuidedNotebook *book)
{
    const int tab = book->currentTab();
    setWindowTitle(caption + QStringLiteral(" - ") + book->tabText(tab));
    if (tab < 0 || tab >= explainedTabs)
        return;
    const char *second = tabTexts[tab][1];
    setTexts(QLatin1String(tabTexts[tab][0]), second ? QLatin1String(second) : QLatin1String(""),
             QLatin1String(tabFooter));
    m_labels[1]->setVisible(second != nullptr);
}

void TWiseGuyForm::NextClick()
{
    m_prev->setEnabled(true);
    GuidedNotebook *book = guidedNotebook();
    if (!book)
        return;
    const int last = book->tabCount() - 1;
    if (book->currentTab() < last) {
        book->selectTab(book->currentTab() + 1);
        showTabTexts(book);
    }
    m_next->setEnabled(book->currentTab() < last);
    book->refreshPreview();
}

void TWiseGuyForm::PrevClick()
{
    m_next->setEnabled(true);
    GuidedNotebook *book = guidedNotebook();
    if (!book)
        return;
    if (book->currentTab() > 0) {
        book->selectTab(book->currentTab() - 1);
        showTabTexts(book);
    }
    m_prev->setEnabled(book->currentTab() > 0);
    book->refreshPreview();
}

void TWiseGuyForm::CloseClick()
{
    if (GuidedNotebook *book = notebook()) {
        book->setGuided(false);
        book->closeNotebook();
    }
    close();
}

void TWiseGuyForm::done(int result)
{
    endGuidedRun();
    QDialog::done(result);
}

void TWiseGuyForm::endGuidedRun()
{
    if (GuidedNotebook *book = notebook(); book && book->isGuided()) {
        book->closeNotebook();
        book->setGuided(false);
    }
    // The credit belongs to the page this run started, and only to it.
    const bool started = std::exchange(m_started, false);
    const QString page = std::exchange(m_startedPage, QString());
    if (!started || page.isEmpty() || !m_context.editor || !m_context.currentPage
        || m_context.currentPage() != page)
        return;
    m_context.editor->ReplaceSelection(creditLine());
    if (m_context.refreshPreview)
        m_context.refreshPreview();
}

} // namespace Tarnwick

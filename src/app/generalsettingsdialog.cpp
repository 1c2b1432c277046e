// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/generalsettingsdialog.h"

#include "app/settings.h"
#include "platform/prompter.h"
#include "project/tsearchform.h"
#include "spell/hunspelllanguages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace Tarnwick {

namespace {

QCheckBox *check(const QString &caption, const QString &name, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QSpinBox *spin(int low, int high, const QString &name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setObjectName(name);
    return box;
}

QLineEdit *field(int maxLength, const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setObjectName(name);
    return edit;
}

} // namespace

GeneralSettingsDialog::GeneralSettingsDialog(Settings &settings, Prompter &prompter,
                                             std::function<void(int)> helperTip, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_helperTip(std::move(helperTip))
{
    setObjectName(QStringLiteral("GeneralSettings"));
    setWindowTitle(QStringLiteral("General Settings"));
    m_pages = new QTabWidget(this);
    m_pages->addTab(generalPage(), QStringLiteral("General"));
    m_pages->addTab(defaultsPage(), QStringLiteral("Defaults"));
    m_pages->addTab(spellPage(), QStringLiteral("Spell Checker"));
    m_pages->addTab(ftpPage(), QStringLiteral("FTP"));

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        store();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);

    connect(m_autoUpdate, &QCheckBox::toggled, this, &GeneralSettingsDialog::AutoUpdateClick);
    m_extension->installEventFilter(this);
    load();
}

QString GeneralSettingsDialog::autoUpdateWarning()
{
    return QStringLiteral("Please note that on slower machines this feature may cause General "
                          "Protection Faults!  If you experience problems please turn this "
                          "feature off before calling for technical support.");
}

QStringList GeneralSettingsDialog::languages()
{
    return { QStringLiteral("English"), QStringLiteral("British"), QStringLiteral("Dutch"),
             QStringLiteral("French"),  QStringLiteral("German"),  QStringLiteral("Italian"),
             QStringLiteral("Spanish"), QStringLiteral("Legal"),   QStringLiteral("Medical") };
}

QString GeneralSettingsDialog::installedLanguageText(const QString &displayName,
                                                     const QString &name)
{
    return displayName == name
        ? QStringLiteral("%1 (installed dictionary)").arg(name)
        : QStringLiteral("%1 \u2014 %2, installed dictionary").arg(displayName, name);
}

QStringList GeneralSettingsDialog::dialogStyles()
{
    return { QStringLiteral("MS Word"), QStringLiteral("Wordperfect"),
             QStringLiteral("WordPro 96") };
}

QWidget *GeneralSettingsDialog::generalPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    for (int i = 0; i < 4; ++i) {
        m_showCustom[i] = check(QStringLiteral("Show Custom Tab %1").arg(i + 1),
                                QStringLiteral("ShowCustom%1").arg(i + 1), page);
        form->addRow(m_showCustom[i]);
    }
    m_autoUpdate
        = check(QStringLiteral("Auto update HTML viewer"), QStringLiteral("AutoUpdate"), page);
    m_useClosingP
        = check(QStringLiteral("Include closing </P> tag"), QStringLiteral("UseClosingP"), page);
    m_useBR
        = check(QStringLiteral("Insert <BR> on carraige return"), QStringLiteral("UseBR"), page);
    m_fontSizeChange = spin(1, 7, QStringLiteral("FontSizeChange"), page);
    m_autoLoad
        = check(QStringLiteral("Autoload last opened file"), QStringLiteral("AutoLoad"), page);
    m_autoTimeStamp = check(QStringLiteral("Auto Time Stamp when saving"),
                            QStringLiteral("AutoTimeStamp"), page);
    form->addRow(m_autoUpdate);
    form->addRow(m_useClosingP);
    form->addRow(m_useBR);
    form->addRow(QStringLiteral("Default font +/- change:"), m_fontSizeChange);
    form->addRow(m_autoLoad);
    form->addRow(m_autoTimeStamp);
    return page;
}

QWidget *GeneralSettingsDialog::defaultsPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_extension = field(ExtensionLength, QStringLiteral("Extension"), page);
    m_graphicExtension = field(ExtensionLength, QStringLiteral("GraphicExtension"), page);
    form->addRow(QStringLiteral("Valid HTML Extensions:"), m_extension);
    form->addRow(QStringLiteral("Valid Graphic Extensions:"), m_graphicExtension);
    for (int i = 0; i < 2; ++i) {
        m_browser[i] = field(0, QStringLiteral("Browser%1").arg(i + 1), page);
        m_browserPrefix[i] = check(QStringLiteral("Use FILE://"),
                                   QStringLiteral("Browser%1Prefix").arg(i + 1), page);
        auto *choose = new QPushButton(QStringLiteral("..."), page);
        choose->setObjectName(QStringLiteral("Browser%1Button").arg(i + 1));
        QLineEdit *target = m_browser[i];
        connect(choose, &QPushButton::clicked, this, [this, target] { chooseBrowser(target); });
        auto *row = new QHBoxLayout;
        row->addWidget(m_browser[i], 1);
        row->addWidget(choose);
        row->addWidget(m_browserPrefix[i]);
        form->addRow(QStringLiteral("Browser #%1:").arg(i + 1), row);
    }
    m_sharedImageDir = field(0, QStringLiteral("SharedImageDir"), page);
    auto *repository = new QPushButton(QStringLiteral("..."), page);
    repository->setObjectName(QStringLiteral("SharedImageDirButton"));
    connect(repository, &QPushButton::clicked, this,
            &GeneralSettingsDialog::GraphicRepositoryClick);
    auto *row = new QHBoxLayout;
    row->addWidget(m_sharedImageDir, 1);
    row->addWidget(repository);
    form->addRow(QStringLiteral("Graphic Repository:"), row);
    return page;
}

QWidget *GeneralSettingsDialog::spellPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_language = new QComboBox(page);
    m_language->setObjectName(QStringLiteral("Language"));
    m_language->addItems(languages());
    for (const HunspellLanguages::Language &installed : HunspellLanguages().languages())
        m_language->addItem(installedLanguageText(installed.displayName, installed.name),
                            installed.name);
    m_suggestCount = spin(5, 100, QStringLiteral("SuggestCount"), page);
    m_skipHTML = check(QStringLiteral("Skip HTML Tags"), QStringLiteral("SkipHTML"), page);
    m_autoAdd = check(QStringLiteral("Confirm on add"), QStringLiteral("AutoAdd"), page);
    form->addRow(QStringLiteral("Language:"), m_language);
    form->addRow(QStringLiteral("Number of Suggestions:"), m_suggestCount);
    form->addRow(m_skipHTML);
    form->addRow(m_autoAdd);
    m_dialogStyle = new QComboBox(page);
    m_dialogStyle->setObjectName(QStringLiteral("DialogStyle"));
    m_dialogStyle->addItems(dialogStyles());
    form->addRow(QStringLiteral("Dialog Style:"), m_dialogStyle);
    return page;
}

QWidget *GeneralSettingsDialog::ftpPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_smartBinary = field(FtpExtensionLength, QStringLiteral("SmartBinary"), page);
    m_smartASCII = field(FtpExtensionLength, QStringLiteral("SmartASCII"), page);
    m_timeOut = spin(0, 1000, QStringLiteral("TimeOut"), page);
    m_timeOut->setToolTip(QStringLiteral(
        "Number of seconds that the FTP component should time out in.  0=never timeout"));
    form->addRow(QStringLiteral("Smart BINARY extensions:"), m_smartBinary);
    form->addRow(QStringLiteral("Smart ASCII extensions:"), m_smartASCII);
    form->addRow(QStringLiteral("Number of seconds before timeout:"), m_timeOut);
    m_checkSite = check(QStringLiteral("Check the pages for broken links and other errors before "
                                       "sending them"),
                        QStringLiteral("CheckSite"), page);
    form->addRow(m_checkSite);
    return page;
}

void GeneralSettingsDialog::load()
{
    m_loading = true; // no warning while the boxes take their settings
    const DefaultsSettings &d = m_settings.Defaults;
    const bool custom[4] = { d.ShowCustom1, d.ShowCustom2, d.ShowCustom3, d.ShowCustom4 };
    for (int i = 0; i < 4; ++i)
        m_showCustom[i]->setChecked(custom[i]);
    m_autoUpdate->setChecked(d.AutoUpdate);
    m_useClosingP->setChecked(d.UseClosingP);
    m_useBR->setChecked(d.UseBR);
    m_fontSizeChange->setValue(d.FontSizeChange);
    m_autoLoad->setChecked(m_settings.LastFiles.AutoLoad);
    m_autoTimeStamp->setChecked(d.AutoTimeStamp);
    m_extension->setText(d.Extension);
    m_graphicExtension->setText(d.GraphicExtension);
    m_browser[0]->setText(d.Browser1);
    m_browser[1]->setText(d.Browser2);
    m_browserPrefix[0]->setChecked(d.Browser1Prefix);
    m_browserPrefix[1]->setChecked(d.Browser2Prefix);
    m_sharedImageDir->setText(d.SharedImageDir);
    const SpellingSettings &s = m_settings.Spelling;
    // An installed dictionary no longer found shows the shipped language the check then uses.
    const int shipped = int(languages().size());
    const int installed
        = s.HunspellDictionary.isEmpty() ? -1 : m_language->findData(s.HunspellDictionary);
    m_language->setCurrentIndex(installed >= shipped ? installed
                                                     : std::clamp(s.Language, 0, shipped - 1));
    m_languageShown = m_language->currentIndex();
    m_suggestCount->setValue(s.SuggestCount);
    m_skipHTML->setChecked(s.SkipHTML);
    m_autoAdd->setChecked(s.AutoAdd);
    // A value no layout has shows the first one, as the checker then uses it.
    const bool knownStyle = s.DialogStyle >= 0 && s.DialogStyle < m_dialogStyle->count();
    m_dialogStyle->setCurrentIndex(knownStyle ? s.DialogStyle : 0);
    m_smartBinary->setText(m_settings.FTP.SmartBinary);
    m_smartASCII->setText(m_settings.FTP.SmartASCII);
    m_timeOut->setValue(m_settings.FTP.TimeOut / 1000);
    m_checkSite->setChecked(m_settings.FTP.CheckSite);
    m_pages->setCurrentIndex(0);
    m_loading = false;
}

void GeneralSettingsDialog::store()
{
    DefaultsSettings &d = m_settings.Defaults;
    bool *custom[4] = { &d.ShowCustom1, &d.ShowCustom2, &d.ShowCustom3, &d.ShowCustom4 };
    for (int i = 0; i < 4; ++i)
        *custom[i] = m_showCustom[i]->isChecked();
    d.AutoUpdate = m_autoUpdate->isChecked();
    d.UseClosingP = m_useClosingP->isChecked();
    d.UseBR = m_useBR->isChecked();
    d.FontSizeChange = m_fontSizeChange->value();
    m_settings.LastFiles.AutoLoad = m_autoLoad->isChecked();
    d.AutoTimeStamp = m_autoTimeStamp->isChecked();
    d.Extension = m_extension->text();
    d.GraphicExtension = m_graphicExtension->text();
    d.Browser1 = m_browser[0]->text();
    d.Browser2 = m_browser[1]->text();
    d.Browser1Prefix = m_browserPrefix[0]->isChecked();
    d.Browser2Prefix = m_browserPrefix[1]->isChecked();
    d.SharedImageDir = m_sharedImageDir->text();
    SpellingSettings &s = m_settings.Spelling;
    if (const int index = m_language->currentIndex(); index < languages().size()) {
        s.Language = index;
        // An installed dictionary missing for now stays chosen unless another
        // language is picked: it comes back when it is installed again.
        if (index != m_languageShown)
            s.HunspellDictionary.clear();
    } else {
        s.HunspellDictionary = m_language->currentData().toString(); // Language stays as it was
    }
    s.SuggestCount = m_suggestCount->value();
    s.SkipHTML = m_skipHTML->isChecked();
    s.AutoAdd = m_autoAdd->isChecked();
    s.DialogStyle = m_dialogStyle->currentIndex();
    m_settings.FTP.SmartBinary = m_smartBinary->text();
    m_settings.FTP.SmartASCII = m_smartASCII->text();
    m_settings.FTP.TimeOut = m_timeOut->value() * 1000;
    m_settings.FTP.CheckSite = m_checkSite->isChecked();
}

void GeneralSettingsDialog::AutoUpdateClick(bool checked)
{
    if (checked && !m_loading)
        m_prompter.warning(autoUpdateWarning());
}

bool GeneralSettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_extension && event->type() == QEvent::FocusIn && m_helperTip
        && !m_extensionTipShown) {
        m_extensionTipShown = true;
        m_helperTip(7);
    }
    return QDialog::eventFilter(watched, event);
}

// The browser buttons search a volume for browser programs; OK takes the
// chosen one, and nothing when none is chosen.
void GeneralSettingsDialog::chooseBrowser(QLineEdit *target)
{
    TSearchForm search(&m_prompter, this);
    if (search.exec() != QDialog::Accepted)
        return;
    if (const QString chosen = search.selectedEntry(); !chosen.isEmpty())
        target->setText(chosen);
}

void GeneralSettingsDialog::GraphicRepositoryClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Graphic Repository");
    request.directory = m_sharedImageDir->text();
    request.filter = QStringLiteral("Graphics|*.gif;*.jpg;*.png;*.svg;*.webp");
    if (const auto chosen = m_prompter.openFileName(request))
        m_sharedImageDir->setText(QFileInfo(*chosen).absolutePath());
}

} // namespace Tarnwick

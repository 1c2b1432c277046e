// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/tcrtprjform.h"
#include "project/pagecolorfields.h"
#include "project/pagecolorlabel.h"

#include "platform/prompter.h"
#include "project/entrytext.h"
#include "project/projectoutline.h"
#include "project/themenames.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

QLineEdit *field(const char *name, int maxLength, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QString colorText(const QColor &color)
{
    return QStringLiteral("%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

QString TCrtPrjForm::settingsEntry()
{
    return QStringLiteral("#Default Project Settings - PROJECT.INI");
}

TCrtPrjForm::TCrtPrjForm(Mode mode, ProjectOutline *outline, Prompter *prompter,
                         const QString &programDirectory, ProjectSetup::Coding encode,
                         ProjectSetup::Coding decode, PasswordStore *passwords, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_outline(outline)
    , m_prompter(prompter)
    , m_programDirectory(programDirectory)
    , m_setup(programDirectory, std::move(encode), std::move(decode), passwords)
{
    setObjectName(QStringLiteral("TCrtPrjForm"));
    setWindowTitle(QStringLiteral("Create Project"));

    m_prjName = field("PrjName", DirectoryLength, this);
    m_prjName->setToolTip(
        QStringLiteral("Creates a subdirectory for a project.  Do not enter drive information."));
    m_directoryButton = new QToolButton(this);
    m_directoryButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_directoryButton->setText(QStringLiteral("..."));
    m_prjDesc = field("PrjDesc", DescriptionLength, this);
    m_prjDesc->setToolTip(QStringLiteral("Enter the description of the Project"));
    m_websiteURL = field("WebsiteURL", 0, this);
    m_websiteURL->setPlaceholderText(QStringLiteral("www.example.com"));
    m_ftpDirectory = field("FTPDirectory", 0, this);
    m_ftpLoginID = field("FTPLoginID", 0, this);
    m_ftpLoginPassword = field("FTPLoginPassword", 0, this);
    m_ftpLoginPassword->setEchoMode(QLineEdit::Password);
    m_passwordPlace = new QLabel(this);
    m_passwordPlace->setObjectName(QStringLiteral("PasswordPlace"));
    m_passwordPlace->setWordWrap(true);
    QFont small = m_passwordPlace->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_passwordPlace->setFont(small);
    m_movePassword = new QPushButton(QStringLiteral("Move password to keyring"), this);
    m_movePassword->setObjectName(QStringLiteral("MovePassword"));
    m_movePassword->setAutoDefault(false);
    m_movePassword->hide();
    connect(m_movePassword, &QPushButton::clicked, this, &TCrtPrjForm::MovePasswordClick);
    m_useFtps = new QCheckBox(QStringLiteral("Use FTPS (explicit TLS)"), this);
    m_useFtps->setObjectName(QStringLiteral("UseFTPS"));
    m_useSftp = new QCheckBox(QStringLiteral("Use SFTP (SSH)"), this);
    m_useSftp->setObjectName(QStringLiteral("UseSFTP"));
    m_sshKeyFile = field("SSHKeyFile", 0, this);
    m_sshKeyFile->setPlaceholderText(QStringLiteral("SSH agent, then the keys in ~/.ssh"));
    m_sshKeyFile->setEnabled(false);
    // One kind at a time; the key file is SFTP's only.
    connect(m_useFtps, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_useSftp->setChecked(false);
    });
    connect(m_useSftp, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_useFtps->setChecked(false);
        m_sshKeyFile->setEnabled(on);
    });
    m_email = field("Email", 0, this);
    m_email->setPlaceholderText(QStringLiteral("webmaster@example.com"));

    auto *colors = new QGroupBox(QStringLiteral("Default Colors for Pages:"), this);
    auto *colorGrid = new QGridLayout(colors);
    static_assert(ColorCount == pageColorFieldCount);
    void (TCrtPrjForm::*handlers[ColorCount])()
        = { &TCrtPrjForm::TextButtonClick, &TCrtPrjForm::LinkButtonClick,
            &TCrtPrjForm::vLinkButtonClick, &TCrtPrjForm::ALinkButtonClick,
            &TCrtPrjForm::bgButtonClick };
    for (int i = 0; i < ColorCount; ++i) {
        ColorRow &row = m_colors[i];
        row.label = new QLabel(QString::fromLatin1(pageColorFields[i].caption), colors);
        row.label->setObjectName(QLatin1String(pageColorFields[i].name) + QStringLiteral("Label"));
        row.text = field("", ColorLength, colors);
        row.text->setObjectName(QLatin1String(pageColorFields[i].name) + QStringLiteral("Text"));
        row.text->setText(QStringLiteral("000000"));
        row.label->setBuddy(row.text);
        row.button = new QToolButton(colors);
        row.button->setObjectName(QLatin1String(pageColorFields[i].button));
        row.button->setText(QStringLiteral("..."));
        row.button->setToolTip(QStringLiteral("Click to select a color"));
        colorGrid->addWidget(row.label, i, 0);
        colorGrid->addWidget(row.text, i, 1);
        colorGrid->addWidget(row.button, i, 2);
        connect(row.button, &QToolButton::clicked, this, handlers[i]);
        connect(row.text, &QLineEdit::textChanged, this, [this, i] { showColor(i); });
    }
    m_themeChoices = new QComboBox(this);
    m_themeChoices->setObjectName(QStringLiteral("ThemeChoices"));

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_ok->setDefault(true);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    // Ok closes only when its checks pass.
    connect(m_ok, &QPushButton::clicked, this, &TCrtPrjForm::OkBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_directoryButton, &QToolButton::clicked, this, &TCrtPrjForm::SpeedButton1Click);

    auto *directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_prjName, 1);
    directoryRow->addWidget(m_directoryButton);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Project Directory:"), directoryRow);
    form->addRow(QStringLiteral("Project Description:"), m_prjDesc);
    form->addRow(QStringLiteral("Website URL:"), m_websiteURL);
    form->addRow(QStringLiteral("Default Web Directory:"), m_ftpDirectory);
    form->addRow(QStringLiteral("User Name:"), m_ftpLoginID);
    form->addRow(QStringLiteral("Password:"), m_ftpLoginPassword);
    auto *placeRow = new QHBoxLayout;
    placeRow->addWidget(m_passwordPlace, 1);
    placeRow->addWidget(m_movePassword);
    form->addRow(QString(), placeRow);
    form->addRow(QString(), m_useFtps);
    form->addRow(QString(), m_useSftp);
    form->addRow(QStringLiteral("SSH key file:"), m_sshKeyFile);
    form->addRow(QStringLiteral("Default EMail Address:"), m_email);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(colors);
    auto *themes = new QFormLayout;
    themes->addRow(QStringLiteral("Default Theme:"), m_themeChoices);
    layout->addLayout(themes);
    layout->addWidget(buttons);

    QWidget *order[] = { m_prjName,
                         m_directoryButton,
                         m_prjDesc,
                         m_websiteURL,
                         m_ftpDirectory,
                         m_ftpLoginID,
                         m_ftpLoginPassword,
                         m_movePassword,
                         m_email,
                         m_colors[TextColor].text,
                         m_colors[LinkColor].text,
                         m_colors[VLinkColor].text,
                         m_colors[ALinkColor].text,
                         m_colors[BgColor].text,
                         m_themeChoices,
                         m_ok,
                         m_cancel };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_prjDesc->installEventFilter(this);
    FormShow();
}

void TCrtPrjForm::FormShow()
{
    m_themeChoices->addItems(ThemeNames::list(m_programDirectory));
    m_themeChoices->setCurrentIndex(-1);
    if (m_mode == Mode::Create) {
        m_prjName->clear();
        m_prjDesc->clear();
        setFields(ProjectSetup::newProjectFields());
        showPasswordPlace();
        return;
    }
    m_projectDirectory = m_outline->GetSelectedProjectDir();
    m_prjName->setText(m_projectDirectory);
    m_prjDesc->setText(EntryText::EntryDescription(m_outline->selectedProjectText()));
    m_prjName->setEnabled(false);
    m_directoryButton->setEnabled(false);
    m_prjDesc->setEnabled(false);
    ReadINISettings();
    setWindowTitle(QStringLiteral("Modify Project Settings"));
}

void TCrtPrjForm::ReadINISettings()
{
    const ProjectSetup::Loaded loaded = m_setup.load(m_projectDirectory);
    setFields(loaded.fields);
    m_passwordInProjectFile = loaded.passwordInProjectFile;
    showPasswordPlace();
    if (!loaded.warning.isEmpty())
        m_prompter->warning(loaded.warning);
}

void TCrtPrjForm::showPasswordPlace()
{
    const bool keyring = m_setup.keyringInUse();
    m_passwordPlace->setText(keyring && !m_passwordInProjectFile
                                 ? ProjectSetup::keptInKeyring()
                                 : ProjectSetup::keptInProjectFile(keyring));
    m_movePassword->setVisible(keyring && m_passwordInProjectFile);
}

void TCrtPrjForm::MovePasswordClick()
{
    const Result moved = m_setup.movePasswordToKeyring(m_projectDirectory);
    // What PROJECT.INI holds now, whichever step failed.
    m_passwordInProjectFile = !ProjectSettings::read(m_projectDirectory).loginPassword.isEmpty();
    showPasswordPlace();
    if (!moved)
        m_prompter->error(moved.error());
}

void TCrtPrjForm::setFields(const ProjectSetup::Fields &fields)
{
    m_websiteURL->setText(fields.webURL);
    m_ftpDirectory->setText(fields.ftpDirectory);
    m_ftpLoginID->setText(fields.loginID);
    m_ftpLoginPassword->setText(fields.password);
    m_useFtps->setChecked(fields.useFtps);
    m_useSftp->setChecked(fields.useSftp);
    m_sshKeyFile->setText(fields.sshKeyFile);
    m_email->setText(fields.email);
    const QString colors[ColorCount] = { fields.textColor, fields.linkColor, fields.vLinkColor,
                                         fields.aLinkColor, fields.bgColor };
    for (int i = 0; i < ColorCount; ++i) {
        m_colors[i].text->setText(colors[i]);
        showColor(i);
    }
    int theme = m_themeChoices->findText(fields.theme, Qt::MatchExactly);
    if (theme < 0 && !fields.theme.isEmpty()) {
        // A theme that is not installed (any more) stays the project's choice.
        m_themeChoices->addItem(fields.theme);
        theme = m_themeChoices->count() - 1;
    }
    m_themeChoices->setCurrentIndex(theme);
}

ProjectSetup::Fields TCrtPrjForm::fields() const
{
    ProjectSetup::Fields fields;
    fields.webURL = m_websiteURL->text();
    fields.ftpDirectory = m_ftpDirectory->text();
    fields.loginID = m_ftpLoginID->text();
    fields.password = m_ftpLoginPassword->text();
    fields.useFtps = m_useFtps->isChecked();
    fields.useSftp = m_useSftp->isChecked();
    fields.sshKeyFile = m_sshKeyFile->text().trimmed();
    fields.email = m_email->text();
    // Stored as six digits, without the "#" a colour may be typed with.
    const auto color = [this](int index) {
        const QString text = m_colors[index].text->text();
        return ProjectSettings::colorDigits(text).value_or(text);
    };
    fields.textColor = color(TextColor);
    fields.linkColor = color(LinkColor);
    fields.vLinkColor = color(VLinkColor);
    fields.aLinkColor = color(ALinkColor);
    fields.bgColor = color(BgColor);
    fields.theme = m_themeChoices->currentText();
    return fields;
}

void TCrtPrjForm::showColor(int index)
{
    PageColorLabel::show(m_colors[index].label,
                         ProjectSettings::colorFromText(m_colors[index].text->text()),
                         index == BgColor);
}

void TCrtPrjForm::chooseColor(int index)
{
    const QColor current = ProjectSettings::colorFromText(m_colors[index].text->text());
    if (const std::optional<QColor> chosen = m_prompter->chooseColor(current)) {
        m_colors[index].text->setText(colorText(*chosen));
        showColor(index);
    }
}

void TCrtPrjForm::TextButtonClick()
{
    chooseColor(TextColor);
}

void TCrtPrjForm::LinkButtonClick()
{
    chooseColor(LinkColor);
}

void TCrtPrjForm::vLinkButtonClick()
{
    chooseColor(VLinkColor);
}

void TCrtPrjForm::ALinkButtonClick()
{
    chooseColor(ALinkColor);
}

void TCrtPrjForm::bgButtonClick()
{
    chooseColor(BgColor);
}

void TCrtPrjForm::SpeedButton1Click()
{
    const QString start = m_prjName->text().trimmed().isEmpty()
        ? m_programDirectory
        : m_setup.projectDirectory(m_prjName->text());
    if (const std::optional<QString> chosen
        = m_prompter->directoryName(QStringLiteral("Project Directory"), start))
        m_prjName->setText(ProjectSetup::typedDirectory(*chosen));
}

bool TCrtPrjForm::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the description for another field of this dialog checks it;
    // Ok checks it itself, Cancel does not need it.
    if (watched == m_prjDesc && event->type() == QEvent::FocusOut) {
        QWidget *next = QApplication::focusWidget();
        if (next && next != m_ok && next != m_cancel && isAncestorOf(next))
            QTimer::singleShot(0, this, &TCrtPrjForm::PrjDescExit);
    }
    return QDialog::eventFilter(watched, event);
}

void TCrtPrjForm::PrjDescExit()
{
    if (!m_prjDesc->isEnabled() || !ProjectSetup::descriptionHasDash(m_prjDesc->text()))
        return;
    m_prompter->warning(ProjectSetup::dashNotAllowed());
    m_prjDesc->setFocus();
}

bool TCrtPrjForm::SaveINISettings()
{
    const QString directory = m_mode == Mode::Settings
        ? m_projectDirectory
        : m_setup.projectDirectory(m_prjName->text());
    const ProjectSetup::Saved saved = m_setup.save(fields(), directory);
    if (!saved.warning.isEmpty())
        m_prompter->warning(saved.warning);
    if (!saved.written) {
        m_prompter->error(saved.written.error());
        return false;
    }
    return true;
}

bool TCrtPrjForm::colorsAccepted()
{
    for (int i = 0; i < ColorCount; ++i) {
        QLineEdit *text = m_colors[i].text;
        if (ProjectSettings::colorDigits(text->text()))
            continue;
        m_prompter->warning(ProjectSettings::badColorMessage(
            QString::fromLatin1(pageColorFields[i].caption), text->text()));
        text->setFocus();
        return false;
    }
    return true;
}

void TCrtPrjForm::OkBtnClick()
{
    // New pages take these colours into their BODY tags.
    if (!colorsAccepted())
        return;
    if (m_mode == Mode::Settings) {
        if (SaveINISettings())
            accept();
        return;
    }
    createProject();
}

void TCrtPrjForm::createProject()
{
    m_prjName->setText(m_prjName->text().trimmed());
    m_prjDesc->setText(m_prjDesc->text().trimmed());
    if (const auto refusal
        = m_setup.check(m_prjName->text(), m_prjDesc->text(), m_outline->tree())) {
        m_prompter->message(refusal->kind, refusal->text);
        (refusal->field == ProjectSetup::Refusal::Field::Directory ? m_prjName : m_prjDesc)
            ->setFocus();
        return;
    }
    const QString typed = ProjectSetup::typedDirectory(m_prjName->text());
    const QString directory = m_setup.projectDirectory(typed);
    bool directoryReady = QFileInfo(directory).isDir();
    if (!directoryReady) {
        if (const Result made = m_setup.CreateProjectDir(typed); !made)
            m_prompter->warning(made.error());
        else
            directoryReady = true;
    }
    // Without its directory the project gets no settings file anywhere.
    if (directoryReady) {
        if (ProjectSettings::exists(directory))
            m_prompter->information(ProjectSetup::projectExists());
        else if (!SaveINISettings())
            return;
    }
    m_outline->addProject(EntryText::compose(m_prjDesc->text(), typed));
    m_outline->AddThePage(settingsEntry(), -1);
    accept();
}

} // namespace Tarnwick

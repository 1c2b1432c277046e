// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projectsetup.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace Tarnwick {

class PasswordStore;
class ProjectOutline;
class Prompter;

// The project dialog. "Create Project" makes a project: its directory, its
// entry and settings entry at the end of the tree, and its PROJECT.INI.
// "Modify Project Settings" shows and rewrites the PROJECT.INI of the
// selected project. A check that fails keeps the dialog open as typed. With a
// desktop keyring running the password is kept there (see ProjectSetup).
class TCrtPrjForm final : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Create, Settings };

    static constexpr int DirectoryLength = 180;
    static constexpr int DescriptionLength = 35;
    static constexpr int ColorLength = 7; // "#RRGGBB"

    TCrtPrjForm(Mode mode, ProjectOutline *outline, Prompter *prompter,
                const QString &programDirectory, ProjectSetup::Coding encode,
                ProjectSetup::Coding decode, PasswordStore *passwords = nullptr,
                QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    ProjectSetup::Fields fields() const;

    void OkBtnClick();
    void PrjDescExit();
    void SpeedButton1Click();
    void TextButtonClick();
    void LinkButtonClick();
    void vLinkButtonClick();
    void ALinkButtonClick();
    void bgButtonClick();
    // Moves the password PROJECT.INI holds into the desktop keyring.
    void MovePasswordClick();

    static QString settingsEntry();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ColorRow
    {
        QLabel *label = nullptr;
        QLineEdit *text = nullptr;
        QToolButton *button = nullptr;
    };
    enum ColorIndex { TextColor, LinkColor, VLinkColor, ALinkColor, BgColor, ColorCount };

    void FormShow();
    void ReadINISettings();
    bool SaveINISettings(); // CreateINI
    void createProject();
    void chooseColor(int index);
    void showColor(int index);
    // Every colour RRGGBB, #RRGGBB or empty; else the user is told and the field has the focus.
    bool colorsAccepted();
    void setFields(const ProjectSetup::Fields &fields);
    void showPasswordPlace();

    Mode m_mode;
    ProjectOutline *m_outline;
    Prompter *m_prompter;
    QString m_programDirectory;
    ProjectSetup m_setup;
    QString m_projectDirectory; // settings mode: the project whose settings are shown
    bool m_passwordInProjectFile = false; // settings mode: its PROJECT.INI holds a password

    QLineEdit *m_prjName = nullptr;
    QToolButton *m_directoryButton = nullptr;
    QLineEdit *m_prjDesc = nullptr;
    QLineEdit *m_websiteURL = nullptr;
    QLineEdit *m_ftpDirectory = nullptr;
    QLineEdit *m_ftpLoginID = nullptr;
    QLineEdit *m_ftpLoginPassword = nullptr;
    QLabel *m_passwordPlace = nullptr;
    QPushButton *m_movePassword = nullptr;
    QLineEdit *m_email = nullptr;
    QCheckBox *m_useFtps = nullptr;
    QCheckBox *m_useSftp = nullptr;
    QLineEdit *m_sshKeyFile = nullptr;
    ColorRow m_colors[ColorCount];
    QComboBox *m_themeChoices = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace Tarnwick

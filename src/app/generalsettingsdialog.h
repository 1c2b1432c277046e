// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace Tarnwick {

class Prompter;
class Settings;

// "General Settings": every control takes its setting when the dialog opens;
// "Ok" stores them all, Cancel leaves the settings untouched.
class GeneralSettingsDialog final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ExtensionLength = 99;
    static constexpr int FtpExtensionLength = 200;

    // `helperTip` shows a helper tip by number.
    GeneralSettingsDialog(Settings &settings, Prompter &prompter,
                          std::function<void(int)> helperTip, QWidget *parent = nullptr);

    static QString autoUpdateWarning();
    // The shipped languages, in the order Language stores them.
    static QStringList languages();
    // The list shows the installed dictionaries after the shipped languages.
    static QString installedLanguageText(const QString &displayName, const QString &name);
    // The spelling dialog's layouts, in the order DialogStyle stores them.
    static QStringList dialogStyles();

    // Puts every control into its setting ("Ok" does this and closes).
    void store();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void AutoUpdateClick(bool checked);
    void GraphicRepositoryClick();
    void chooseBrowser(QLineEdit *field);
    QWidget *generalPage();
    QWidget *defaultsPage();
    QWidget *spellPage();
    QWidget *ftpPage();

    Settings &m_settings;
    Prompter &m_prompter;
    std::function<void(int)> m_helperTip;
    bool m_loading = false;
    bool m_extensionTipShown = false; // once a showing: the tip hands the focus back

    QTabWidget *m_pages = nullptr;
    QCheckBox *m_showCustom[4] = {};
    QCheckBox *m_autoUpdate = nullptr;
    QCheckBox *m_useClosingP = nullptr;
    QCheckBox *m_useBR = nullptr;
    QSpinBox *m_fontSizeChange = nullptr;
    QCheckBox *m_autoLoad = nullptr;
    QCheckBox *m_autoTimeStamp = nullptr;
    QLineEdit *m_extension = nullptr;
    QLineEdit *m_graphicExtension = nullptr;
    QLineEdit *m_browser[2] = {};
    QCheckBox *m_browserPrefix[2] = {};
    QLineEdit *m_sharedImageDir = nullptr;
    QComboBox *m_language = nullptr;
    int m_languageShown = 0; // the entry load() chose
    QSpinBox *m_suggestCount = nullptr;
    QCheckBox *m_skipHTML = nullptr;
    QCheckBox *m_autoAdd = nullptr;
    QComboBox *m_dialogStyle = nullptr;
    QLineEdit *m_smartBinary = nullptr;
    QLineEdit *m_smartASCII = nullptr;
    QSpinBox *m_timeOut = nullptr;
    QCheckBox *m_checkSite = nullptr;
};

} // namespace Tarnwick

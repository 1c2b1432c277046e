// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/bodysettings.h"
#include "wizards/initialvalues.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;

// "Initial Values": five pages of choices for a new, empty page, walked with
// Back and Next, with the page as it will look beside them. Finish writes
// the page into the editor and copies its images beside it; Cancel leaves
// the page empty.
class TInitialValuesForm final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr; // the new page
        Prompter *prompter = nullptr;
        QString programDirectory;
        QString pageDirectory; // the new page's directory
        QString author; // the user's name for the Author META line
        BodySettings *body = nullptr; // what the program remembers of BODY statements
        std::function<void()> refreshPreview; // the main window's preview
    };

    static constexpr int PageCount = 5;

    explicit TInitialValuesForm(Context context, QWidget *parent = nullptr);
    ~TInitialValuesForm() override;

    InitialValuesFields fields() const;
    QString author() const;
    // The page as generated last, full paths and all.
    const QStringList &lines() const { return m_lines; }
    Renderer *preview() const { return m_preview; }
    int pageIndex() const;

    void BackBtnClick();
    void NextBtnClick();
    void FinishBtnClick();
    // Regenerates the page and shows it, unless the preview is still busy.
    void UpdatePreview();

    void reject() override; // Cancel: the page stays empty

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum ColorIndex { TextColor, LinkColor, VLinkColor, ALinkColor, BgColor, ColorCount };
    struct ColorRow
    {
        QLabel *label = nullptr;
        QLineEdit *text = nullptr;
        QToolButton *button = nullptr;
    };

    QWidget *internalsPage();
    QWidget *themesPage();
    QWidget *textPage();
    QWidget *generalPage();
    QWidget *colorsPage();
    QWidget *page(const QString &help, QLayout *fields);
    void setFields(const InitialValuesFields &fields);
    void showPage(int index);
    void chooseColor(int index);
    void showColor(int index);
    void HeaderBtnClick();
    void HeaderClearBtnClick();
    void chooseImage(QLineEdit *field);
    void watch(QLineEdit *edit);

    Context m_context;
    InitialValues m_values;
    QStringList m_lines;
    std::optional<QColor> m_headingColor;
    bool m_filling = false; // the fields are being set, not changed by the user

    QStackedWidget *m_notebook = nullptr;
    QLabel *m_pageCaption = nullptr;
    Renderer *m_preview = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;
    QPushButton *m_cancel = nullptr;

    QComboBox *m_docType = nullptr;
    QLineEdit *m_pageTitle = nullptr;
    QLineEdit *m_pageComments = nullptr;
    QLineEdit *m_keywords = nullptr;
    QLineEdit *m_description = nullptr;
    QComboBox *m_themeCombo = nullptr;
    QCheckBox *m_arrows[5] = {};
    QLineEdit *m_backgroundGraphic = nullptr;
    QCheckBox *m_fixedBG = nullptr;
    QLineEdit *m_logo = nullptr;
    QLineEdit *m_pageHeading = nullptr;
    QSpinBox *m_headingSize = nullptr;
    QToolButton *m_headerBtn = nullptr;
    QToolButton *m_headerClearBtn = nullptr;
    QLineEdit *m_emailText = nullptr;
    QLineEdit *m_emailCaption = nullptr;
    QCheckBox *m_centerText = nullptr;
    QLineEdit *m_companyName = nullptr;
    QPlainTextEdit *m_otherInfo = nullptr;
    QSpinBox *m_baseFontSize = nullptr;
    QLineEdit *m_author = nullptr;
    ColorRow m_colors[ColorCount];
    QSpinBox *m_lMargin = nullptr;
    QSpinBox *m_rMargin = nullptr;
};

} // namespace Tarnwick

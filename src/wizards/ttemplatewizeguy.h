// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/templatemarkers.h"
#include "wizards/templateslot.h"

#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QSplitter;
class QStackedWidget;
class QWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class RefillingComboBox;

// "Zazureva Rido Rev": walks the markers of the template page in the editor,
// shows the fields of each marker's kind filled from its slot, and writes the
// fields back into the slot on Refresh. It does not block the main window
// and keeps the editor's pane collapsed while it is open.
class TTemplateWizeGuy final : public QDialog
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr;
        Prompter *prompter = nullptr;
        QSplitter *splitScreen = nullptr; // its first pane is collapsed while open
        std::function<QString()> pageDirectory;
        std::function<QString()> graphicExtensions; // comma-separated, as stored
        std::function<QString()> pageExtensions;
        std::function<void()> refreshPreview;
    };

    using Kind = TemplateMarkers::Kind;

    explicit TTemplateWizeGuy(Context context, QWidget *parent = nullptr);
    ~TTemplateWizeGuy() override;

    static QString noDocumentMessage(); // "No document appears to be loaded."
    static QString noMoreMessage(); // "No more template definitions"
    // Shown while the slot holds what the fields cannot give back.
    static QString slotNoticeText();

    // The marker line shown (from 1), 0 on the starting page.
    int currentLine() const { return m_current; }
    // The kind of the page shown; None on the starting page.
    Kind shownKind() const { return m_kind; }

    void StartClick();
    void NextClick();
    void PreviousClick();
    void RefreshClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildStartingPage();
    QWidget *buildDefaultsPage();
    QWidget *buildHeaderPage();
    QWidget *buildTextPage();
    QWidget *buildImagePage();
    QWidget *buildLinkPage();
    QWidget *buildBodyPage();
    QWidget *buildInvalidPage();
    QLineEdit *colourField(QWidget *page, const char *name, QWidget **row);
    QWidget *searchRow(QWidget *page, RefillingComboBox *box, const char *buttonName);

    void moveTo(int line);
    void importSlot();
    bool writeSlot();
    // The slot lines the fields make; nullopt when they leave the slot alone.
    std::optional<QStringList> slotFromFields() const;
    void backToStart();
    void replaceLine(int line, const QString &text);
    QStringList imageFiles() const;
    QStringList pageFiles() const;
    QString pageDirectory() const;
    void searchImage(RefillingComboBox *box);
    void imageNameChanged();
    void mailtoToggled(bool on);
    void linkStyleChanged();
    void restoreSplitter();

    Context m_context;
    int m_current = 0;
    Kind m_kind = Kind::None;
    bool m_importing = false;
    std::optional<QStringList> m_readBack; // what the fields made when the slot was read
    bool m_slotKept = false; // the slot says more than the fields: Refresh keeps it
    QPointer<QSplitter> m_splitter;
    QList<int> m_savedSizes;
    bool m_splitterRestored = true;

    QStackedWidget *m_pages = nullptr;
    QLabel *m_slotNotice = nullptr;
    QWidget *m_startingPage = nullptr;
    QWidget *m_defaultsPage = nullptr;
    QWidget *m_headerPage = nullptr;
    QWidget *m_textPage = nullptr;
    QWidget *m_imagePage = nullptr;
    QWidget *m_linkPage = nullptr;
    QWidget *m_bodyPage = nullptr;
    QWidget *m_invalidPage = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_refresh = nullptr;
    QPushButton *m_close = nullptr;

    QLineEdit *m_title = nullptr;
    QLineEdit *m_keywords = nullptr;
    QLineEdit *m_description = nullptr;
    QComboBox *m_docType = nullptr;

    QLineEdit *m_headingText = nullptr;
    QSpinBox *m_headingSize = nullptr;
    QComboBox *m_headingAlign = nullptr;
    QLineEdit *m_headingColor = nullptr;

    QPlainTextEdit *m_text = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_italics = nullptr;
    QComboBox *m_textAlign = nullptr;

    RefillingComboBox *m_imageName = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QComboBox *m_imageAlign = nullptr;

    QLabel *m_urlLabel = nullptr;
    RefillingComboBox *m_url = nullptr;
    QLineEdit *m_linkText = nullptr;
    QComboBox *m_linkStyle = nullptr;
    QWidget *m_graphicRow = nullptr;
    RefillingComboBox *m_graphic = nullptr;
    QComboBox *m_linkAlign = nullptr;
    QCheckBox *m_mailto = nullptr;

    QLineEdit *m_textColor = nullptr;
    QLineEdit *m_linkColor = nullptr;
    QLineEdit *m_vlinkColor = nullptr;
    QLineEdit *m_alinkColor = nullptr;
    QLineEdit *m_bgColor = nullptr;
    RefillingComboBox *m_background = nullptr;
    QCheckBox *m_fixed = nullptr;
    QSpinBox *m_leftMargin = nullptr;
    QSpinBox *m_rightMargin = nullptr;

    QLabel *m_invalidLine = nullptr;
};

} // namespace Tarnwick

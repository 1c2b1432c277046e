// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wizards/effectsbuilder.h"
#include "wizards/guidednotebook.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class Renderer;
class RefillingComboBox;

// "Web Effects": seven small generators on the tabs of one notebook. Each
// change rebuilds the current page's markup, which the small preview shows;
// Add puts it into the page. Opened on a tab by the Insert commands (Add
// closes it), or walked through by the page guide.
class TEffectsForm final : public QDialog, public GuidedNotebook
{
    Q_OBJECT

public:
    struct Context
    {
        EditorControl *editor = nullptr; // the page
        Prompter *prompter = nullptr;
        std::function<QString()> pageDirectory;
        std::function<QString()> graphicExtensions; // comma-separated, as stored
        std::function<QString()> pageExtensions;
        std::function<void()> pageChanged; // the main window's reaction to an edit
    };

    enum Tab { Headers, Tables, ListTypes, Images, DocumentText, References, Applet };

    explicit TEffectsForm(Context context, QWidget *parent = nullptr);

    // Modal on that tab; Add closes it. While the guide runs it only turns to the tab.
    void openOn(int tab);

    // GuidedNotebook
    int tabCount() const override;
    int currentTab() const override;
    QString tabText(int index) const override;
    void setGuided(bool guided) override;
    bool isGuided() const override { return m_guided; }
    void selectTab(int index) override;
    void refreshPreview() override;
    void showBeside(const QRect &guideFrame) override;
    void closeNotebook() override;

    Renderer *preview() const { return m_preview; }
    // The current page's markup, as the preview shows it.
    QStringList scratchLines() const { return m_scratch; }
    // The text taken from the editor's selection when the window was shown.
    QString carried() const { return m_carried; }
    QStringList mapLines() const { return m_mapLines; }

    void AddClick();
    void CreateMapClick();
    void ImageSearchClick();
    void AppletFileClick();
    void ReferenceFileClick();
    void imageChosen();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *headersPage();
    QWidget *tablesPage();
    QWidget *listsPage();
    QWidget *imagesPage();
    QWidget *documentTextPage();
    QWidget *referencesPage();
    QWidget *appletPage();
    void watch(QWidget *field);
    void fieldChanged();
    void takeSelection();
    QString pageDirectory() const;
    QString imagePath() const;
    QStringList referenceChoices() const;

    EffectsBuilder::Table table() const;
    EffectsBuilder::List list() const;
    EffectsBuilder::Image image() const;
    EffectsBuilder::DocumentText documentText() const;
    EffectsBuilder::Reference reference() const;
    EffectsBuilder::Applet applet() const;
    QStringList buildLines() const;
    // Inserts, false when nothing went in.
    bool addImage();
    bool addApplet();

    Context m_context;
    bool m_guided = false;
    bool m_filling = false; // the program fills fields; no change of the user's
    QStringList m_scratch;
    QString m_carried;
    QStringList m_mapLines;
    QString m_mapName;
    QString m_externalPage; // the page whose links "External Page" offers

    QTabWidget *m_tabs = nullptr;
    Renderer *m_preview = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_close = nullptr;

    QLineEdit *m_headerText = nullptr;
    QSpinBox *m_headerSize = nullptr;
    QComboBox *m_headerJustify = nullptr;

    QSpinBox *m_columns = nullptr;
    QSpinBox *m_rows = nullptr;
    QSpinBox *m_padding = nullptr;
    QSpinBox *m_spacing = nullptr;
    QSpinBox *m_tableWidth = nullptr;
    QCheckBox *m_border = nullptr;
    QComboBox *m_tableJustify = nullptr;
    QLineEdit *m_caption = nullptr;
    QComboBox *m_captionLocation = nullptr;
    QSpinBox *m_captionSize = nullptr;
    QTableWidget *m_cellGrid = nullptr;

    QComboBox *m_listType = nullptr;
    QComboBox *m_childType = nullptr;
    QSpinBox *m_parents = nullptr;
    QSpinBox *m_children = nullptr;
    QTableWidget *m_listItems = nullptr;

    RefillingComboBox *m_imageFile = nullptr;
    QLineEdit *m_altText = nullptr;
    QLineEdit *m_imageWidth = nullptr;
    QLineEdit *m_imageHeight = nullptr;
    QComboBox *m_imageAlign = nullptr;
    QCheckBox *m_centerImage = nullptr;
    QCheckBox *m_copyImage = nullptr;
    QCheckBox *m_isMap = nullptr;
    QPushButton *m_createMap = nullptr;

    QPlainTextEdit *m_docText = nullptr;
    QList<std::pair<QCheckBox *, EffectsBuilder::TextOption>> m_textOptions;
    QSpinBox *m_fontSize = nullptr;

    QLineEdit *m_refDescription = nullptr;
    RefillingComboBox *m_refUrl = nullptr;
    QComboBox *m_refJustify = nullptr;
    QRadioButton *m_urlType = nullptr;
    QRadioButton *m_anchorType = nullptr;
    QRadioButton *m_yourPage = nullptr;
    QRadioButton *m_externalPageSource = nullptr;

    QLineEdit *m_codebase = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_appletName = nullptr;
    QLineEdit *m_appletTitle = nullptr;
    QLineEdit *m_appletHeight = nullptr;
    QLineEdit *m_appletWidth = nullptr;
    QComboBox *m_appletAlign = nullptr;
};

} // namespace Tarnwick

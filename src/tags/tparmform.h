// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/parameterselection.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

namespace Tarnwick {

class EditorControl;
class Prompter;
class TagInserter;

// "Parameter Selections": writes one ALIGN, VALIGN or SIZE attribute or a
// whole META, EMBED or PARAM tag, reading an existing one from the selection
// first. Made once; the fields keep their values between uses.
class TParmForm final : public QDialog
{
    Q_OBJECT

public:
    TParmForm(EditorControl *editor, TagInserter *inserter, Prompter *prompter,
              QWidget *parent = nullptr);

    using Page = ParameterSelection::Page;

    // Shows the page, reads the selection, and inserts on "Ok".
    void execute(Page page);
    // The two halves of execute, for callers that drive the dialog themselves.
    void prepare(Page page);
    void OkClick();
    Page currentPage() const { return m_page; }

    // The media file choice of the embed page's browse button.
    void browseEmbedSource();

private:
    QWidget *addPage(Page page);

    EditorControl *m_editor;
    TagInserter *m_inserter;
    Prompter *m_prompter;
    QStackedWidget *m_pages;
    Page m_page = Page::Align;
    QComboBox *m_align;
    QComboBox *m_valign;
    QComboBox *m_size;
    QComboBox *m_metaHttpEquiv;
    QLineEdit *m_metaName;
    QLineEdit *m_metaContent;
    QLineEdit *m_embedSrc;
    QSpinBox *m_embedHeight;
    QSpinBox *m_embedWidth;
    QLineEdit *m_pName;
    QLineEdit *m_pValue;
};

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/timageindexform.h"

#include "platform/editorcontrol.h"
#include "platform/filelistpane.h"
#include "wizards/dialogparts.h"
#include "wizards/imageindex.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace Tarnwick {

using DialogParts::named;

QString TImageIndexForm::filter()
{
    return QStringLiteral("All Images|*.gif;*.jpg|GIF Images|*.gif|JPEG Images|*.jpg");
}

TImageIndexForm::TImageIndexForm(EditorControl *editor, const QString &startDirectory,
                                 QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("TImageIndexForm"));
    setWindowTitle(QStringLiteral("Create Index of Images"));
    auto *layout = new QVBoxLayout(this);
    m_directory = named(new QLabel(this), "DirLabel");
    m_directory->setWordWrap(true);
    layout->addWidget(m_directory);
    m_files = named(new FileListPane(this), "ImageFileList");
    m_files->setFilter(filter());
    layout->addWidget(m_files, 1);
    auto *form = new QFormLayout;
    m_mask = named(new QLineEdit(QStringLiteral("*.gif;*.jpg"), this), "MaskEdit");
    form->addRow(QStringLiteral("Mask:"), m_mask);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(this);
    auto *create = named(buttons->addButton(QStringLiteral("Create"), QDialogButtonBox::AcceptRole),
                         "CreateBtn");
    named(buttons->addButton(QDialogButtonBox::Cancel), "CancelBtn");
    create->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TImageIndexForm::CreateBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_files->directoryList()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TImageIndexForm::directoryChanged);
    connect(m_files->driveBox(), &QComboBox::activated, this, &TImageIndexForm::directoryChanged);
    connect(m_files->filterBox(), &QComboBox::currentIndexChanged, this,
            &TImageIndexForm::filterChosen);
    connect(m_mask, &QLineEdit::editingFinished, this, &TImageIndexForm::applyMask);

    setDirectory(startDirectory);
    applyMask();
    resize(520, 560);
}

QString TImageIndexForm::directory() const
{
    return m_files->directory();
}

QString TImageIndexForm::mask() const
{
    return m_mask->text();
}

void TImageIndexForm::setDirectory(const QString &path)
{
    m_files->setDirectory(path);
    directoryChanged();
}

void TImageIndexForm::setMask(const QString &mask)
{
    m_mask->setText(mask);
    applyMask();
}

void TImageIndexForm::directoryChanged()
{
    m_directory->setText(m_files->directory());
}

void TImageIndexForm::filterChosen(int index)
{
    const QStringList patterns = m_files->filterBox()->itemData(index).toStringList();
    if (!patterns.isEmpty())
        setMask(patterns.join(QLatin1Char(';')));
}

void TImageIndexForm::applyMask()
{
    // The list shows what Create will take: the mask box's masks, any case.
    if (auto *model = qobject_cast<QFileSystemModel *>(m_files->fileList()->model()))
        model->setNameFilters(ImageIndex::masks(m_mask->text()));
}

void TImageIndexForm::CreateBtnClick()
{
    const QString directory = m_files->directory();
    m_editor->AppendText(ImageIndex::entryText(ImageIndex::directoryPrefix(directory),
                                               ImageIndex::imageFiles(directory, m_mask->text())));
    accept();
}

} // namespace Tarnwick

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/topenhtmlform.h"

#include "platform/filelistpane.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "wizards/dialogparts.h"
#include "wizards/pagefilepreview.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

using DialogParts::named;

TOpenHTMLForm::~TOpenHTMLForm() = default;

TOpenHTMLForm::TOpenHTMLForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
    , m_files(named(new FileListPane(this), "FileListPane"))
    , m_preview(named(new Renderer(this), "HTMLViewer"))
    , m_chosen(named(new QLineEdit(this), "FileToLoad"))
{
    setObjectName(QStringLiteral("OpenHTMLForm"));
    setWindowTitle(QStringLiteral("Open HTML Page"));
    resize(820, 520);

    auto *split = new QSplitter(this);
    split->addWidget(m_files);
    split->addWidget(m_preview);
    split->setStretchFactor(1, 1);
    split->setSizes({ 260, 560 });
    m_chosen->setToolTip(QStringLiteral("The page to open; type a name or a path and press Enter"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = named(buttons->button(QDialogButtonBox::Ok), "OKBtn");
    m_ok->setDefault(true); // Enter in the file list lands here
    connect(m_ok, &QPushButton::clicked, this, &TOpenHTMLForm::OKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_chosen, 1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    m_files->setFilter(m_context.filter);
    m_files->setDirectory(m_context.directory.isEmpty() ? QDir::homePath() : m_context.directory);

    QListView *list = m_files->fileList();
    auto *model = qobject_cast<QFileSystemModel *>(list->model());
    // The current file follows clicks and the arrow keys alike.
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, model](const QModelIndex &current) {
                if (current.isValid() && model)
                    selectFile(model->filePath(current));
            });
    connect(m_files, &FileListPane::fileActivated, this, [this](const QString &path) {
        selectFile(path);
        OKClick();
    });
    connect(m_preview, &Renderer::hotSpotClicked, this, &TOpenHTMLForm::onLinkClicked);
    list->setFocus();
}

QStringList TOpenHTMLForm::listedNames() const
{
    QStringList names;
    const QListView *list = m_files->fileList();
    const QAbstractItemModel *model = list->model();
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row)
        names.append(model->index(row, 0, root).data().toString());
    return names;
}

void TOpenHTMLForm::selectFile(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.absoluteFilePath() == m_fileToLoad)
        return;
    m_fileToLoad = file.absoluteFilePath();
    m_chosen->setText(m_fileToLoad);

    // Keep the list's highlight on the file, also when a link chose it.
    QListView *list = m_files->fileList();
    if (auto *model = qobject_cast<QFileSystemModel *>(list->model())) {
        const QModelIndex index = model->index(m_fileToLoad);
        if (index.isValid() && index != list->currentIndex())
            list->setCurrentIndex(index);
    }

    const PageFilePreview::Content content = PageFilePreview::forFile(m_fileToLoad);
    m_preview->SetViewImages(content.images);
    m_preview->LoadFromBuffer(content.html, file.absolutePath());
}

QString TOpenHTMLForm::notFound(const QString &path)
{
    return QStringLiteral("Could not find or open: ") + path;
}

bool TOpenHTMLForm::takeTypedName()
{
    const QString typed = m_chosen->text().trimmed();
    if (typed.isEmpty() || typed == m_fileToLoad)
        return true;
    QString path = typed;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    else if (!QDir::isAbsolutePath(path))
        path = QDir(m_files->directory()).filePath(path);
    const QFileInfo typedFile(path);
    if (typedFile.isDir()) {
        m_files->setDirectory(typedFile.absoluteFilePath());
        m_chosen->clear();
        m_fileToLoad.clear();
        return false;
    }
    if (!typedFile.isFile()) {
        if (m_context.prompter)
            m_context.prompter->information(notFound(QDir::cleanPath(path)));
        return false;
    }
    selectFile(typedFile.absoluteFilePath());
    return true;
}

void TOpenHTMLForm::OKClick()
{
    if (!takeTypedName())
        return;
    if (m_fileToLoad.isEmpty() || PageFilePreview::isPicture(m_fileToLoad)) {
        accept();
        return;
    }
    if (m_context.loadFile && m_context.loadFile(m_fileToLoad)) {
        if (m_context.pageOpened)
            m_context.pageOpened();
        accept();
        return;
    }
    // The load has told the user why; there is no page to turn to.
    reject();
}

void TOpenHTMLForm::onLinkClicked(const QString &address, bool *handled)
{
    const QString name = PageFilePreview::listedFile(address, m_files->directory(), listedNames());
    if (name.isEmpty())
        return;
    *handled = true;
    selectFile(QDir(m_files->directory()).filePath(name));
}

} // namespace Tarnwick

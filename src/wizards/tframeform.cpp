// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tframeform.h"

#include "platform/editorcontrol.h"
#include "platform/filefilter.h"
#include "platform/fileops.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "tags/markupbuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace Tarnwick {

namespace {

const QString settingsFilter = QStringLiteral("Frame Settings|*.set");
constexpr int squeezedExtent = 5;
constexpr int firstBarLow = 10;

QString heading(const QString &text)
{
    return QStringLiteral("<H2 ALIGN=\"center\">") + text.toHtmlEscaped() + QStringLiteral("</H2>");
}

Expected<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<QByteArray>::failure(
            QStringLiteral("Unable to open %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

} // namespace

// Hiding the dialog on its way out moves the focus off a field, whose
// editingFinished would reach this form after its own part is gone.
TFrameForm::~TFrameForm()
{
    for (QLineEdit *field : { m_source, m_name })
        disconnect(field, nullptr, this, nullptr);
}

TFrameForm::TFrameForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("TFrameForm"));
    setWindowTitle(QStringLiteral("Frame Creation"));
    auto *top = new QHBoxLayout(this);
    auto *bar = new QMenuBar(this);
    top->setMenuBar(bar);
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    QAction *open = file->addAction(QStringLiteral("&Open frame settings..."));
    open->setShortcut(Qt::Key_F3);
    connect(open, &QAction::triggered, this, &TFrameForm::OpenClick);
    QAction *save = file->addAction(QStringLiteral("&Save frames settings as..."));
    save->setShortcut(Qt::Key_F2);
    connect(save, &QAction::triggered, this, &TFrameForm::SaveClick);
    QAction *insert = file->addAction(QStringLiteral("&Return and insert into HTML document"));
    insert->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(insert, &QAction::triggered, this, &TFrameForm::GenerateClick);
    QAction *abandon = file->addAction(QStringLiteral("Return and &Abandon"));
    abandon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(abandon, &QAction::triggered, this, &QDialog::reject);

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    m_pages = new QStackedWidget(left);
    leftLayout->addWidget(m_pages, 1);

    // The start page: orientation, title and the bars.
    auto *start = new QWidget(m_pages);
    start->setObjectName(QStringLiteral("start"));
    auto *startLayout = new QVBoxLayout(start);
    auto *startForm = new QFormLayout;
    m_orientation = new QComboBox(start);
    m_orientation->setObjectName(QStringLiteral("Orientation"));
    m_orientation->addItems({ QStringLiteral("By Rows"), QStringLiteral("By Columns") });
    startForm->addRow(QStringLiteral("Orientation"), m_orientation);
    m_title = new QLineEdit(QStringLiteral("Document Title"), start);
    m_title->setObjectName(QStringLiteral("PageTitle"));
    startForm->addRow(QStringLiteral("Page Title:"), m_title);
    m_noFrames = new QCheckBox(QStringLiteral("Include <NOFRAME> Tag?"), start);
    m_noFrames->setObjectName(QStringLiteral("NoFrames"));
    m_noFrames->setChecked(true);
    startForm->addRow(m_noFrames);
    startLayout->addLayout(startForm);
    auto *bars = new QGridLayout;
    const QString splitNames[4] = { QStringLiteral("Main split"), QStringLiteral("Split 1"),
                                    QStringLiteral("Split 2"), QStringLiteral("Split 3") };
    for (int split = 0; split < 4; ++split) {
        bars->addWidget(new QLabel(splitNames[split], start), split * 2, 0, 1, 2);
        for (int which = 0; which < 2; ++which) {
            auto *scroll = new QScrollBar(Qt::Horizontal, start);
            scroll->setObjectName(QStringLiteral("Bar%1%2").arg(split).arg(which + 1));
            const int value = m_layout.bars[split][which];
            if (which == 0)
                scroll->setRange(firstBarLow, m_layout.bars[split][1] - 1);
            else
                scroll->setRange(m_layout.bars[split][0] + 1, 100);
            scroll->setValue(value);
            auto *label = new QLabel(QString::number(value), start);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("000")));
            m_bars[split][which] = scroll;
            m_labels[split][which] = label;
            bars->addWidget(scroll, split * 2 + 1, which * 2);
            bars->addWidget(label, split * 2 + 1, which * 2 + 1);
            connect(scroll, &QScrollBar::valueChanged, this,
                    [this, split, which](int v) { barMoved(split, which, v); });
        }
    }
    bars->setColumnStretch(0, 1); // the scroll bars take the room, the labels what they need
    bars->setColumnStretch(2, 1);
    startLayout->addLayout(bars);
    startLayout->addStretch();
    m_pages->addWidget(start);

    // The frame settings page.
    auto *settings = new QWidget(m_pages);
    settings->setObjectName(QStringLiteral("framesettings"));
    auto *settingsForm = new QFormLayout(settings);
    m_frameLabel = new QLabel(settings);
    m_frameLabel->setObjectName(QStringLiteral("FrameLabel"));
    settingsForm->addRow(QStringLiteral("Frame:"), m_frameLabel);
    auto *sourceRow = new QHBoxLayout;
    m_source = new QLineEdit(settings);
    m_source->setObjectName(QStringLiteral("HtmlFilename"));
    auto *browse = new QPushButton(QStringLiteral("..."), settings);
    browse->setObjectName(QStringLiteral("FileBtn"));
    sourceRow->addWidget(m_source, 1);
    sourceRow->addWidget(browse);
    settingsForm->addRow(QStringLiteral("HTML Filename:"), sourceRow);
    m_name = new QLineEdit(settings);
    m_name->setObjectName(QStringLiteral("FrameName"));
    settingsForm->addRow(QStringLiteral("Frame Name:"), m_name);
    auto *scrollBox = new QGroupBox(QStringLiteral("Scroll Bars"), settings);
    auto *scrollLayout = new QHBoxLayout(scrollBox);
    m_scroll = new QButtonGroup(this);
    const QString scrollNames[3]
        = { QStringLiteral("Auto"), QStringLiteral("Yes"), QStringLiteral("No") };
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(scrollNames[i], scrollBox);
        radio->setObjectName(QStringLiteral("Scroll") + scrollNames[i]);
        m_scroll->addButton(radio, i);
        scrollLayout->addWidget(radio);
    }
    m_scroll->button(0)->setChecked(true);
    settingsForm->addRow(scrollBox);
    m_resize = new QCheckBox(QStringLiteral("Allow Frame to be resized?"), settings);
    m_resize->setObjectName(QStringLiteral("AllowResize"));
    m_resize->setChecked(true);
    settingsForm->addRow(m_resize);
    m_marginWidth = new QSpinBox(settings);
    m_marginWidth->setObjectName(QStringLiteral("MarginWidth"));
    m_marginHeight = new QSpinBox(settings);
    m_marginHeight->setObjectName(QStringLiteral("MarginHeight"));
    for (QSpinBox *spin : { m_marginWidth, m_marginHeight }) {
        spin->setRange(-1, 20);
        spin->setValue(-1);
        connect(spin, &QSpinBox::valueChanged, this, &TFrameForm::storeFields);
    }
    settingsForm->addRow(QStringLiteral("Margin Width:"), m_marginWidth);
    settingsForm->addRow(QStringLiteral("Margin Height:"), m_marginHeight);
    m_pages->addWidget(settings);
    connect(m_source, &QLineEdit::editingFinished, this, &TFrameForm::sourceEdited);
    connect(m_name, &QLineEdit::editingFinished, this, &TFrameForm::nameEdited);
    connect(browse, &QPushButton::clicked, this, &TFrameForm::chooseFile);
    connect(m_scroll, &QButtonGroup::idClicked, this, &TFrameForm::storeFields);
    connect(m_resize, &QCheckBox::toggled, this, &TFrameForm::storeFields);

    auto *buttons = new QHBoxLayout;
    m_prev = new QPushButton(QStringLiteral("Prev"), left);
    m_prev->setObjectName(QStringLiteral("PrevBtn"));
    m_prev->setEnabled(false);
    m_next = new QPushButton(QStringLiteral("Next"), left);
    m_next->setObjectName(QStringLiteral("NextBtn"));
    m_finished = new QPushButton(QStringLiteral("Finished"), left);
    m_finished->setObjectName(QStringLiteral("FinishedBtn"));
    m_finished->hide();
    for (QPushButton *b : { m_prev, m_next, m_finished })
        buttons->addWidget(b);
    leftLayout->addLayout(buttons);
    connect(m_prev, &QPushButton::clicked, this, &TFrameForm::PrevClick);
    connect(m_next, &QPushButton::clicked, this, &TFrameForm::NextClick);
    connect(m_finished, &QPushButton::clicked, this, &TFrameForm::GenerateClick);
    top->addWidget(left);

    // The preview: the main split holds three splits of three cells each.
    m_splitters[0] = new QSplitter(Qt::Vertical, this);
    m_splitters[0]->setObjectName(QStringLiteral("MainSplit"));
    for (int row = 0; row < 3; ++row) {
        auto *split = new QSplitter(Qt::Horizontal, m_splitters[0]);
        split->setObjectName(QStringLiteral("Split%1").arg(row + 1));
        m_splitters[row + 1] = split;
        for (int i = 0; i < 3; ++i) {
            const int number = row * 3 + i + 1;
            auto *view = new Renderer(split);
            view->setObjectName(QStringLiteral("Cell%1").arg(number));
            view->setMinimumSize(1, 1); // a bar may squeeze a cell to nothing
            m_cells[number - 1] = view;
            view->LoadFromBuffer(heading(QStringLiteral("Frame:%1").arg(number)), pageDirectory());
        }
        split->setMinimumSize(1, 1);
    }
    for (int split = 0; split < 4; ++split)
        connect(m_splitters[split], &QSplitter::splitterMoved, this,
                [this, split] { splitterMoved(split); });
    top->addWidget(m_splitters[0], 1);
    connect(m_orientation, &QComboBox::currentIndexChanged, this,
            [this](int index) { setByColumns(index == 1); });
    for (int split = 0; split < 4; ++split)
        applySplit(split);
    resize(900, 560);
}

QString TFrameForm::pageDirectory() const
{
    return m_context.pageDirectory ? m_context.pageDirectory() : QString();
}

bool TFrameForm::onStartPage() const
{
    return m_pages->currentIndex() == 0;
}

bool TFrameForm::squeezed(int number) const
{
    const Renderer *view = cell(number);
    return !view->isVisibleTo(this) || view->width() <= squeezedExtent
        || view->height() <= squeezedExtent;
}

void TFrameForm::setBar(int split, int which, int value)
{
    m_bars[split][which]->setValue(value);
}

void TFrameForm::setByColumns(bool byColumns)
{
    m_layout.byColumns = byColumns;
    m_orientation->setCurrentIndex(byColumns ? 1 : 0);
    m_splitters[0]->setOrientation(byColumns ? Qt::Horizontal : Qt::Vertical);
    for (int split = 1; split < 4; ++split)
        m_splitters[split]->setOrientation(byColumns ? Qt::Vertical : Qt::Horizontal);
    for (int split = 0; split < 4; ++split)
        applySplit(split);
}

void TFrameForm::barMoved(int split, int which, int value)
{
    m_layout.bars[split][which] = value;
    if (which == 0)
        m_bars[split][1]->setMinimum(value + 1);
    else
        m_bars[split][0]->setMaximum(value - 1);
    m_labels[split][which]->setText(QString::number(value));
    applySplit(split);
}

void TFrameForm::applySplit(int split)
{
    QSplitter *splitter = m_splitters[split];
    const int b1 = m_layout.bars[split][0];
    const int b2 = m_layout.bars[split][1];
    splitter->widget(1)->setVisible(b1 < 99);
    splitter->widget(2)->setVisible(b2 < 100);
    const bool vertical = splitter->orientation() == Qt::Vertical;
    int total = vertical ? splitter->height() : splitter->width();
    if (total <= 0)
        total = 300;
    auto part = [total](int percent) { return int(std::lround(total * percent / 100.0)); };
    splitter->setSizes({ part(b1), part(b2) - part(b1), total - part(b2) });
}

void TFrameForm::splitterMoved(int split)
{
    const QList<int> sizes = m_splitters[split]->sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    if (total <= 0)
        return;
    int b1 = int(std::lround(sizes.at(0) * 100.0 / total));
    int b2 = int(std::lround((sizes.at(0) + sizes.at(1)) * 100.0 / total));
    if (split == 1) {
        b1 = qMax(b1, 5);
        if (b2 <= 10)
            b2 = 11;
    }
    // Set the bar that makes room first, so that the other is not clamped.
    if (b2 > m_layout.bars[split][1]) {
        setBar(split, 1, b2);
        setBar(split, 0, b1);
    } else {
        setBar(split, 0, b1);
        setBar(split, 1, b2);
    }
}

void TFrameForm::freeze(bool frozen)
{
    for (QSplitter *splitter : m_splitters) {
        for (int i = 1; i < splitter->count(); ++i)
            splitter->handle(i)->setEnabled(!frozen);
    }
}

void TFrameForm::NextClick()
{
    if (onStartPage()) {
        for (int number = 1; number <= 9; ++number) {
            FrameRecord &frame = m_records[number - 1];
            if (squeezed(number))
                frame.name.clear();
            else if (frame.name.isEmpty())
                frame.name = QStringLiteral("Frame: %1").arg(number);
        }
        m_pages->setCurrentIndex(1);
        m_current = 1;
        m_prev->setEnabled(true);
        freeze(true);
    } else {
        ++m_current;
    }
    while (m_current < 10 && m_records[m_current - 1].name.isEmpty())
        ++m_current;
    if (m_current <= 9) {
        fillFields();
        return;
    }
    PrevClick();
    m_finished->show();
}

void TFrameForm::PrevClick()
{
    m_finished->hide();
    if (onStartPage())
        return;
    int number = m_current - 1;
    while (number > 0 && m_records[number - 1].name.isEmpty())
        --number;
    if (number < 1) {
        // No frame in use before this one: back to the layout.
        m_pages->setCurrentIndex(0);
        m_prev->setEnabled(false);
        m_current = 0;
        freeze(false);
        return;
    }
    m_current = number;
    fillFields();
}

void TFrameForm::fillFields()
{
    const FrameRecord &frame = m_records[m_current - 1];
    m_updating = true;
    m_frameLabel->setText(frame.name);
    m_source->setText(frame.source);
    m_name->setText(frame.name);
    if (QAbstractButton *radio = m_scroll->button(frame.scrollBars))
        radio->setChecked(true);
    m_resize->setChecked(frame.resize);
    m_marginWidth->setValue(frame.marginWidth);
    m_marginHeight->setValue(frame.marginHeight);
    m_updating = false;
}

void TFrameForm::storeFields()
{
    if (m_updating || m_current < 1 || m_current > 9)
        return;
    FrameRecord &frame = m_records[m_current - 1];
    if (FrameSet::checkText(m_source->text()))
        frame.source = m_source->text();
    if (!m_name->text().isEmpty() && FrameSet::checkText(m_name->text()))
        frame.name = m_name->text();
    frame.scrollBars = qMax(0, m_scroll->checkedId());
    frame.resize = m_resize->isChecked();
    frame.marginWidth = m_marginWidth->value();
    frame.marginHeight = m_marginHeight->value();
    m_frameLabel->setText(frame.name);
    showCell(m_current);
}

void TFrameForm::sourceEdited()
{
    if (m_updating || m_current < 1 || m_current > 9)
        return;
    const Result fits = FrameSet::checkText(m_source->text());
    if (!fits) {
        m_context.prompter->warning(fits.error());
        m_source->setText(m_records[m_current - 1].source);
        return;
    }
    storeFields();
}

void TFrameForm::nameEdited()
{
    if (m_updating || m_current < 1 || m_current > 9)
        return;
    m_updating = true; // the warning takes the focus, which ends the editing again
    if (m_name->text().isEmpty()) {
        m_context.prompter->warning(QStringLiteral("Frame name cannot be blank."));
        m_updating = false;
        m_name->setFocus();
        return;
    }
    const Result fits = FrameSet::checkText(m_name->text());
    if (!fits) {
        m_context.prompter->warning(fits.error());
        m_name->setText(m_records[m_current - 1].name);
    }
    m_updating = false;
    storeFields();
}

void TFrameForm::chooseFile()
{
    if (m_current < 1 || m_current > 9)
        return;
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open");
    request.directory = pageDirectory();
    request.filter = m_context.openFilter.isEmpty() ? FileFilter::build(QString(), QString())
                                                    : m_context.openFilter;
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    QString source = QDir::fromNativeSeparators(*chosen);
    const QString base = pageDirectory();
    if (!base.isEmpty()) {
        // A file beside or below the page is named relative to it, so the
        // frame set still works when the site moves.
        const QString relative = QDir(base).relativeFilePath(source);
        if (!relative.startsWith(QLatin1String("..")) && QDir::isRelativePath(relative))
            source = relative;
    }
    const Result fits = FrameSet::checkText(source);
    if (!fits) {
        m_context.prompter->warning(fits.error());
        return;
    }
    m_source->setText(source);
    storeFields();
}

void TFrameForm::showCell(int number)
{
    const FrameRecord &frame = m_records[number - 1];
    const QString base = pageDirectory();
    const QString path = frame.source.isEmpty() || base.isEmpty()
        ? frame.source
        : QDir(base).absoluteFilePath(frame.source);
    if (!path.isEmpty() && QFileInfo(path).isFile())
        cell(number)->LoadFromFile(path);
    else
        cell(number)->LoadFromBuffer(heading(frame.name), base);
}

void TFrameForm::GenerateClick()
{
    const QString charset
        = m_context.pageCharset ? m_context.pageCharset() : QStringLiteral("utf-8");
    const QStringList lines = FrameSet::generate(m_layout, m_records, m_title->text(),
                                                 m_noFrames->isChecked(), charset);
    EditorControl *editor = m_context.editor;
    editor->BeginUndoAction();
    editor->ClearAll();
    editor->ReplaceSelection(MarkupBuilder::joinLines(lines));
    editor->EndUndoAction();
    accept();
}

void TFrameForm::applyLayout(const FrameLayout &layout)
{
    setByColumns(layout.byColumns);
    for (int split = 0; split < 4; ++split) {
        const int b1 = layout.bars[split][0];
        const int b2 = layout.bars[split][1];
        // Both bars at once: one at a time, the old position of the other
        // would refuse part of a valid layout.
        for (QScrollBar *scroll : m_bars[split])
            scroll->blockSignals(true);
        m_bars[split][0]->setRange(qMin(firstBarLow, b1), b2 - 1);
        m_bars[split][1]->setRange(b1 + 1, 100);
        m_bars[split][0]->setValue(b1);
        m_bars[split][1]->setValue(b2);
        for (QScrollBar *scroll : m_bars[split])
            scroll->blockSignals(false);
        m_layout.bars[split] = layout.bars[split];
        for (int which = 0; which < 2; ++which)
            m_labels[split][which]->setText(QString::number(layout.bars[split][which]));
        applySplit(split);
    }
}

void TFrameForm::OpenClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open");
    request.directory = pageDirectory();
    request.fileName = m_fileName;
    request.filter = settingsFilter;
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    const Expected<QByteArray> settings = readBytes(*chosen);
    if (!settings) {
        m_context.prompter->error(settings.error());
        return;
    }
    const Expected<FrameLayout> layout = FrameSet::decodeLayout(settings.value(), *chosen);
    if (!layout) {
        m_context.prompter->error(layout.error());
        return;
    }
    // Both files are checked before anything applies.
    const QString recordsPath = FrameSet::recordsPath(*chosen);
    const bool haveRecords = QFileInfo::exists(recordsPath);
    Expected<FrameRecords> records = Expected<FrameRecords>::failure(QString());
    if (haveRecords) {
        const Expected<QByteArray> bytes = readBytes(recordsPath);
        if (!bytes) {
            m_context.prompter->error(bytes.error());
            return;
        }
        records = FrameSet::decodeRecords(bytes.value(), recordsPath);
        if (!records) {
            m_context.prompter->error(records.error());
            return;
        }
    }
    m_pages->setCurrentIndex(0);
    m_prev->setEnabled(false);
    m_finished->hide();
    m_current = 0;
    freeze(false);
    m_fileName = *chosen;
    applyLayout(layout.value());
    if (!haveRecords) {
        m_context.prompter->information(
            QStringLiteral("%1 was not found: the layout is loaded, the frames are as they were.")
                .arg(QFileInfo(recordsPath).fileName()));
        return;
    }
    m_records = records.value();
    for (int number = 1; number <= 9; ++number)
        showCell(number);
}

void TFrameForm::SaveClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.directory = pageDirectory();
    request.fileName = m_fileName;
    request.filter = settingsFilter;
    const std::optional<QString> chosen = m_context.prompter->saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".set");
    Result written = FileOps::writeFileAtomic(path, FrameSet::encodeLayout(m_layout));
    if (written)
        written = FileOps::writeFileAtomic(FrameSet::recordsPath(path),
                                           FrameSet::encodeRecords(m_records));
    if (!written) {
        m_context.prompter->error(written.error());
        return;
    }
    m_fileName = path;
}

} // namespace Tarnwick

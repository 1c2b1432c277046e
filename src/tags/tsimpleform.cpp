// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tsimpleform.h"

#include "platform/imageinfo.h"
#include "platform/prompter.h"
#include "tags/mapfiles.h"
#include "tags/mapimageview.h"
#include "tags/mapshapes.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

std::unique_ptr<TSimpleForm> TSimpleForm::open(const QString &imagePath, Prompter *prompter,
                                               QWidget *parent)
{
    Expected<QImage> picture = ImageInfo::picture(imagePath);
    if (!picture) {
        prompter->error(picture.error());
        return nullptr;
    }
    return std::unique_ptr<TSimpleForm>(
        new TSimpleForm(std::move(picture.value()), prompter, parent));
}

QString TSimpleForm::noNameMessage()
{
    return QStringLiteral("You must give your map a name first.  Click the button \"Map Name\" "
                          "to assign it a name.");
}

QString TSimpleForm::mapFilter()
{
    return QStringLiteral("External Map Files|*.MAP|Tarnwick Coordinate Files *.cor|*.COR");
}

QString TSimpleForm::loadFilter()
{
    return QStringLiteral("Graphics|*.JPG;*.GIF|Tarnwick Coordinate Files: *.cor|*.COR");
}

TSimpleForm::TSimpleForm(QImage picture, Prompter *prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_picture(std::move(picture))
    , m_positioning(&m_grid)
    , m_view(new MapImageView)
    , m_scroll(new QScrollArea(this))
    , m_x(new QLabel(this))
    , m_y(new QLabel(this))
    , m_chooseLocation(new QLabel(QStringLiteral("Choose Location"), this))
    , m_mapStyle(new QComboBox)
    , m_table(new QTableWidget(MapGrid::rowCount, MapGrid::columnCount, this))
{
    setObjectName(QStringLiteral("TSimpleForm"));
    setWindowTitle(QStringLiteral("Image Mapping"));
    // In place where the format allows: a large picture is not held twice.
    m_picture.convertTo(QImage::Format_RGB32);

    auto *menuBar = new QMenuBar(this);
    QMenu *file = menuBar->addMenu(QStringLiteral("&File"));
    const auto item = [this, file](const QString &caption, const char *name, auto slot) {
        QAction *action = file->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
    };
    item(QStringLiteral("Save Map to file..."), "SaveMapToFile", &TSimpleForm::SaveMapToFileClick);
    item(QStringLiteral("Save map to page and return"), "SaveMapToPage",
         &TSimpleForm::SaveMapToPageClick);
    item(QStringLiteral("Save Tarnwick coordinate file..."), "SaveCoordinateFile",
         &TSimpleForm::SaveCoordinatesClick);
    item(QStringLiteral("Load Tarnwick coordinate file..."), "LoadCoordinateFile",
         &TSimpleForm::LoadCoordinatesClick);
    item(QStringLiteral("Abandon and return"), "Abandon", &QDialog::reject);

    m_view->setImage(m_picture);
    m_scroll->setObjectName(QStringLiteral("ImageScroll"));
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *panel = new QHBoxLayout;
    m_x->setObjectName(QStringLiteral("XReadOut"));
    m_y->setObjectName(QStringLiteral("YReadOut"));
    m_x->setMinimumWidth(40);
    m_y->setMinimumWidth(40);
    panel->addWidget(new QLabel(QStringLiteral("x:"), this));
    panel->addWidget(m_x);
    panel->addWidget(new QLabel(QStringLiteral("y:"), this));
    panel->addWidget(m_y);
    m_chooseLocation->setObjectName(QStringLiteral("ChooseLocation"));
    m_chooseLocation->hide();
    panel->addWidget(m_chooseLocation);
    auto *refresh = new QPushButton(QStringLiteral("Refresh"), this);
    refresh->setObjectName(QStringLiteral("RefreshBtn"));
    refresh->setToolTip(QStringLiteral("Display all maps"));
    connect(refresh, &QPushButton::clicked, this, &TSimpleForm::RefreshClick);
    panel->addWidget(refresh);
    auto *setPositions = new QPushButton(QStringLiteral("Set Positions"), this);
    setPositions->setObjectName(QStringLiteral("SetPositionsBtn"));
    setPositions->setToolTip(QStringLiteral("Click to start selecting map coordinates"));
    connect(setPositions, &QPushButton::clicked, this, &TSimpleForm::SetPositionsClick);
    panel->addWidget(setPositions);
    auto *name = new QPushButton(QStringLiteral("Map Name"), this);
    name->setObjectName(QStringLiteral("MapNameBtn"));
    connect(name, &QPushButton::clicked, this, &TSimpleForm::MapNameClick);
    panel->addWidget(name);
    panel->addStretch(1);

    buildTable();

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(panel);
    layout->addWidget(m_table);

    connect(m_view, &MapImageView::pointerMoved, this, &TSimpleForm::pointerMoved);
    connect(m_view, &MapImageView::leftClicked, this, &TSimpleForm::imageClicked);
    connect(m_view, &MapImageView::rightClicked, this, &TSimpleForm::imageRightClicked);

    // As large as the picture and the panel, within the screen; larger pictures scroll.
    const QRect screen = QApplication::primaryScreen()
        ? QApplication::primaryScreen()->availableGeometry()
        : QRect(0, 0, 1280, 800);
    const int frame = 2 * m_scroll->frameWidth() + 24;
    resize(qMin(qMax(m_picture.width() + frame, 640), screen.width() - 40),
           qMin(m_picture.height() + frame + 260, screen.height() - 40));
}

void TSimpleForm::buildTable()
{
    m_table->setObjectName(QStringLiteral("CoordGrid"));
    m_table->setToolTip(QStringLiteral("Left click in column 1 to set map style"));
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setMinimumHeight(180);
    m_table->setColumnWidth(1, 140);
    for (int column = 2; column < MapGrid::columnCount; ++column)
        m_table->setColumnWidth(column, 44);
    m_mapStyle->setParent(m_table->viewport());
    m_mapStyle->setObjectName(QStringLiteral("MapStyle"));
    m_mapStyle->addItems(
        { QStringLiteral("rect"), QStringLiteral("poly"), QStringLiteral("default") });
    m_mapStyle->hide();
    connect(m_mapStyle, &QComboBox::textActivated, this, &TSimpleForm::setRowType);
    connect(m_table, &QTableWidget::cellChanged, this, &TSimpleForm::onCellChanged);
    connect(m_table, &QTableWidget::cellClicked, this, &TSimpleForm::onCellClicked);
    for (QScrollBar *bar : { m_table->horizontalScrollBar(), m_table->verticalScrollBar() })
        connect(bar, &QScrollBar::valueChanged, m_mapStyle, &QWidget::hide);
    syncTable();
}

void TSimpleForm::syncTable()
{
    m_syncing = true;
    for (int row = 0; row < MapGrid::rowCount; ++row) {
        for (int column = 0; column < MapGrid::columnCount; ++column) {
            QTableWidgetItem *cell = m_table->item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                if (row == 0) {
                    cell->setFlags(Qt::ItemIsEnabled);
                    cell->setBackground(palette().button());
                }
                m_table->setItem(row, column, cell);
            }
            if (cell->text() != m_grid.cell(row, column))
                cell->setText(m_grid.cell(row, column));
        }
    }
    m_syncing = false;
}

void TSimpleForm::onCellChanged(int row, int column)
{
    if (m_syncing)
        return;
    m_grid.setCell(row, column, m_table->item(row, column)->text());
}

void TSimpleForm::onCellClicked(int row, int column)
{
    if (row >= 1)
        m_positioning.setCurrentRow(row);
    if (column == 0 && row >= 1)
        chooseRow(row);
    else
        m_mapStyle->hide();
}

void TSimpleForm::chooseRow(int row)
{
    m_positioning.setCurrentRow(row);
    m_table->setCurrentCell(row, 0);
    placeTypeBox();
}

void TSimpleForm::placeTypeBox()
{
    const int row = m_positioning.currentRow();
    const QRect cell = m_table->visualRect(m_table->model()->index(row, 0));
    const QSignalBlocker blocker(m_mapStyle);
    const int index = m_mapStyle->findText(m_grid.type(row));
    m_mapStyle->setCurrentIndex(index);
    m_mapStyle->setGeometry(cell);
    m_mapStyle->show();
}

void TSimpleForm::setRowType(const QString &type)
{
    m_grid.setCell(m_positioning.currentRow(), 0, type);
    syncTable();
}

const QImage &TSimpleForm::shownImage() const
{
    return m_view->image();
}

QString TSimpleForm::readOut() const
{
    return m_x->text() + QStringLiteral(", ") + m_y->text();
}

void TSimpleForm::SetPositionsClick()
{
    const bool on = m_positioning.SetPositions();
    m_chooseLocation->setVisible(on);
    m_table->setCurrentCell(m_positioning.currentRow(), 0);
    syncTable();
}

void TSimpleForm::pointerMoved(QPoint pixel)
{
    m_x->setText(QString::number(pixel.x() + 1));
    m_y->setText(QString::number(pixel.y() + 1));
}

void TSimpleForm::imageClicked(QPoint pixel)
{
    pointerMoved(pixel);
    const MapPositioning::Click click = m_positioning.click(pixel.x() + 1, pixel.y() + 1);
    if (click == MapPositioning::Click::Ignored)
        return;
    QApplication::beep();
    syncTable();
    if (click == MapPositioning::Click::RecordedAndDraw)
        RefreshClick();
    m_chooseLocation->setVisible(m_positioning.positioning());
}

void TSimpleForm::imageRightClicked()
{
    m_positioning.rightButton();
    m_chooseLocation->hide();
}

void TSimpleForm::RefreshClick()
{
    // The shapes go over a fresh copy of the picture in the memory already shown.
    QImage shown = m_view->takeImage();
    MapShapes::compose(m_picture, m_grid, shown);
    m_view->setImage(std::move(shown));
}

void TSimpleForm::MapNameClick()
{
    const std::optional<QString> name = m_prompter->inputText(
        QStringLiteral("Map Name"), QStringLiteral("Name of map:"), m_mapName);
    if (name)
        m_mapName = *name;
}

void TSimpleForm::SaveMapToPageClick()
{
    if (m_mapName.isEmpty()) {
        m_prompter->information(noNameMessage());
        return;
    }
    m_mapLines = m_grid.mapElement(m_mapName);
    accept();
}

std::optional<QString> TSimpleForm::saveName(int filterIndex, const QString &extension)
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.filter = mapFilter();
    request.filterIndex = filterIndex;
    std::optional<QString> chosen = m_prompter->saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    if (QFileInfo(*chosen).suffix().isEmpty())
        *chosen += extension;
    return chosen;
}

void TSimpleForm::SaveMapToFileClick()
{
    if (const std::optional<QString> path = saveName(0, QStringLiteral(".MAP")))
        if (const Result saved = MapFiles::saveMapFile(*path, m_grid); !saved)
            m_prompter->error(saved.error());
}

void TSimpleForm::SaveCoordinatesClick()
{
    if (const std::optional<QString> path = saveName(1, QStringLiteral(".cor")))
        if (const Result saved = MapFiles::saveCoordinateFile(*path, m_grid); !saved)
            m_prompter->error(saved.error());
}

void TSimpleForm::LoadCoordinatesClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open");
    request.filter = loadFilter();
    request.filterIndex = 1;
    const std::optional<QString> path = m_prompter->openFileName(request);
    if (!path || path->isEmpty())
        return;
    const Expected<MapFiles::Loaded> loaded = MapFiles::loadCoordinateFile(*path, m_grid);
    if (!loaded) {
        m_prompter->error(loaded.error());
        return;
    }
    m_positioning.rightButton();
    m_chooseLocation->hide();
    syncTable();
    RefreshClick();
    if (loaded->rowsLeftOut > 0)
        m_prompter->information(
            QStringLiteral("The grid holds %1 rows; %2 more rows of %3 were left out.")
                .arg(MapGrid::rowCount - 1)
                .arg(loaded->rowsLeftOut)
                .arg(QFileInfo(*path).fileName()));
}

} // namespace Tarnwick

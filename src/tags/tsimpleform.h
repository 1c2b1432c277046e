// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/mapgrid.h"
#include "tags/mappositioning.h"

#include <QDialog>
#include <QImage>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace Tarnwick {

class MapImageView;
class Prompter;

// "Image Mapping": the hot areas of a client-side image map drawn on a
// picture, kept in a grid, handed back as a MAP element or saved to a
// server-side map file or a coordinate file.
class TSimpleForm final : public QDialog
{
    Q_OBJECT

public:
    // Reads the picture first: nullptr after telling the user when it cannot be shown.
    static std::unique_ptr<TSimpleForm> open(const QString &imagePath, Prompter *prompter,
                                             QWidget *parent = nullptr);

    static QString noNameMessage();
    static QString mapFilter();
    static QString loadFilter();

    MapGrid &grid() { return m_grid; }
    MapPositioning &positioning() { return m_positioning; }
    QString mapName() const { return m_mapName; }
    // What "Save map to page and return" handed back.
    QStringList mapLines() const { return m_mapLines; }
    const QImage &shownImage() const;
    QString readOut() const; // "x, y" of the pointer

    // The window's commands.
    void SetPositionsClick();
    void RefreshClick();
    void MapNameClick();
    void SaveMapToFileClick();
    void SaveMapToPageClick();
    void SaveCoordinatesClick();
    void LoadCoordinatesClick();
    void chooseRow(int row); // a click in column 0 of a data row
    void setRowType(const QString &type); // the map-type box

    // The picture's events, in pixels from its top left corner.
    void pointerMoved(QPoint pixel);
    void imageClicked(QPoint pixel);
    void imageRightClicked();

    // Whether each grid change has come through to the table (for tests).
    void syncTable();

private:
    TSimpleForm(QImage picture, Prompter *prompter, QWidget *parent);
    void buildTable();
    void onCellChanged(int row, int column);
    void onCellClicked(int row, int column);
    void placeTypeBox();
    std::optional<QString> saveName(int filterIndex, const QString &extension);

    Prompter *m_prompter;
    QImage m_picture;
    MapGrid m_grid;
    MapPositioning m_positioning;
    QString m_mapName;
    QStringList m_mapLines;
    MapImageView *m_view;
    QScrollArea *m_scroll;
    QLabel *m_x;
    QLabel *m_y;
    QLabel *m_chooseLocation;
    QComboBox *m_mapStyle;
    QTableWidget *m_table;
    bool m_syncing = false;
};

} // namespace Tarnwick

#pragma once

#include "ui/GridSettings.h"

#include <QObject>
#include <QPointer>

#include <functional>

class DataGrid;
class GridFilterSwitch;
class GridPrintDocument;
class QAction;
class QMenu;
class QWidget;

// The services every list screen offers on its grids, with the screen's own
// settings: the context menu "&Copiar", "Se&lecccionar todo", "&Imprimir" and
// "&Guardar selección", the selected-cell colouring and the filter switch.
// Each menu item acts on the window's focused control and does nothing
// unless that control is a data grid. Errors (a file that cannot be
// created) go to the program's error handling.
//
//   services_ = new GridServices(this, GridSettings::terceros());
//   services_->attach(grid);
//   layout->addWidget(services_->filterSwitch(grid));
class GridServices : public QObject {
    Q_OBJECT
public:
    GridServices(QWidget* window, GridSettings settings);

    const GridSettings& settings() const { return settings_; }
    // Gives the grid the context menu and the screen's settings.
    void attach(DataGrid* grid);
    // A check box showing and hiding the grid's filter row, captioned as the
    // settings say; null when the screen has no filter switch.
    GridFilterSwitch* filterSwitch(DataGrid* grid, QWidget* parent = nullptr) const;

    QMenu* menu() const { return menu_; }
    QAction* copyAction() const { return copy_; }
    QAction* selectAllAction() const { return selectAll_; }
    QAction* printAction() const { return print_; }
    QAction* saveAction() const { return save_; }

    // The grid the items act on: the window's focused control, when it is one.
    DataGrid* focusedGrid() const;

    void copy();
    void selectAll();
    void print();
    void saveSelection();

    // Shows the print preview of a document; tests replace it.
    std::function<void(GridPrintDocument&)> showPreview;

private:
    void openPreview(GridPrintDocument& document);

    QPointer<QWidget> window_;
    GridSettings settings_;
    QMenu* menu_;
    QAction *copy_, *selectAll_, *print_, *save_;
};

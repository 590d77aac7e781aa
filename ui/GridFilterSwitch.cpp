#include "ui/GridFilterSwitch.h"

#include "ui/DataGrid.h"

GridFilterSwitch::GridFilterSwitch(const QString& caption, DataGrid* grid, QWidget* parent)
    : QCheckBox(caption, parent), grid_(grid) {
    setChecked(grid->isFilterRowVisible());
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        if (grid_)
            grid_->setFilterRowVisible(on);
    });
    connect(grid, &DataGrid::filterRowVisibleChanged, this, [this](bool on) {
        const QSignalBlocker block(this);
        setChecked(on);
    });
}

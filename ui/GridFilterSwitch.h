#pragma once

#include <QCheckBox>
#include <QPointer>

class DataGrid;

// The check box that shows and hides a grid's filter row ("Habilitar
// filtros", "Filtrar").
class GridFilterSwitch : public QCheckBox {
    Q_OBJECT
public:
    GridFilterSwitch(const QString& caption, DataGrid* grid, QWidget* parent = nullptr);

private:
    QPointer<DataGrid> grid_;
};

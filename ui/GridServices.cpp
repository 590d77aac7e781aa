#include "ui/GridServices.h"

#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "ui/DataGrid.h"
#include "ui/GridError.h"
#include "ui/GridExport.h"
#include "ui/GridFilterSwitch.h"
#include "ui/GridPrintDocument.h"
#include "ui/GridWriter.h"

#include <QAction>
#include <QDate>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

GridServices::GridServices(QWidget* window, GridSettings settings)
    : QObject(window), window_(window), settings_(std::move(settings)), menu_(new QMenu(window)) {
    copy_ = menu_->addAction(QStringLiteral("&Copiar"));
    selectAll_ = menu_->addAction(QStringLiteral("Se&lecccionar todo"));
    menu_->addSeparator();
    print_ = menu_->addAction(QStringLiteral("&Imprimir"));
    save_ = menu_->addAction(QStringLiteral("&Guardar selección"));
    connect(copy_, &QAction::triggered, this, &GridServices::copy);
    connect(selectAll_, &QAction::triggered, this, &GridServices::selectAll);
    connect(print_, &QAction::triggered, this, &GridServices::print);
    connect(save_, &QAction::triggered, this, &GridServices::saveSelection);
    showPreview = [this](GridPrintDocument& document) { openPreview(document); };
}

void GridServices::attach(DataGrid* grid) {
    grid->setSelectedCellColouring(settings_.selectedCellColouring);
    grid->setCopyAllowed(settings_.copyAndSelectAll);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, grid](const QPoint& pos) { menu_->popup(grid->viewport()->mapToGlobal(pos)); });
}

GridFilterSwitch* GridServices::filterSwitch(DataGrid* grid, QWidget* parent) const {
    if (settings_.filterSwitch.isEmpty())
        return nullptr;
    return new GridFilterSwitch(settings_.filterSwitch, grid, parent);
}

DataGrid* GridServices::focusedGrid() const {
    return window_ ? qobject_cast<DataGrid*>(window_->focusWidget()) : nullptr;
}

void GridServices::copy() {
    if (DataGrid* grid = focusedGrid())
        grid->copySelection(); // nothing when not allowed or nothing is selected
}

void GridServices::selectAll() {
    if (DataGrid* grid = focusedGrid())
        grid->selectEverything();
}

void GridServices::print() {
    DataGrid* grid = focusedGrid();
    if (!grid || !grid->dataSet() || !grid->dataSet()->active())
        return;
    runGridAction(
        [&] {
            grid->dataSet()->fetchAll(); // the printout holds every row
            GridPrintDocument document(*grid, settings_.printTitle, QDate::currentDate());
            showPreview(document);
        },
        grid->dataSet());
}

void GridServices::openPreview(GridPrintDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPrintPreviewDialog dialog(&printer, window_);
    dialog.setWindowTitle(document.title());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&document](QPrinter* p) { document.print(*p); });
    dialog.exec();
}

void GridServices::saveSelection() {
    const QString suggested = settings_.exportFileName;
    DataGrid* grid = focusedGrid();
    if (!grid)
        return;
    int fileType = -1;
    const QString chosen =
        UserDialogs::current().saveFileNameWithType(QStringLiteral("Guardar selección"), suggested,
                                                    GridExport::qtFilter(settings_.fileTypeList()), fileType);
    if (chosen.isEmpty())
        return;
    const std::unique_ptr<GridWriter> writer = GridExport::writerFor(fileType);
    if (!writer)
        return;
    const QString fileName = GridExport::withExtension(chosen, writer->extension());
    runGridAction([&] { GridExport::saveSelection(*grid, fileName, *writer); }, grid);
}

#pragma once

#include "data/ClientDataSet.h"
#include "ui/CellStyle.h"
#include "ui/GridColumn.h"
#include "ui/GridHeader.h"

#include <QPointer>
#include <QTableView>

#include <functional>
#include <vector>

class GridModel;
class GridTable;
class QLineEdit;

// The list grid of every list screen: a table over a client dataset.
//  - Rows come packet by packet: the next packet is fetched when the view
//    scrolls to the end of the rows fetched so far.
//  - The current row follows the dataset's cursor and moves it.
//  - Columns are configured per screen (field, title, widths, order, check
//    boxes, pick lists); read-only unless made editable.
//  - Every second row is painted silver; a hook colours rows or cells; the
//    selected cells take the skin's highlight (focused cell, yellow text) and
//    selection (other cells, white text) colours.
//  - Clicking a title sorts the loaded rows (Ctrl+click adds columns, a second
//    click turns the order round), or only tells the screen.
//  - A filter row under the titles filters the loaded rows locally or only
//    tells the screen.
//  - Typing searches the current column for the first row starting with the
//    typed text; a pause longer than the program-wide delay starts over.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    enum class TitleClicks {
        None,
        SortLoadedRows, // sort the loaded rows by the clicked titles
        Notify          // only emit titleClicked (the screen re-reads its rows)
    };
    using CellStyleHook = std::function<void(int row, int column, CellStyle& style)>;

    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setDataSet(ClientDataSet* dataset);
    ClientDataSet* dataSet() const;
    GridModel* gridModel() const { return model_; }

    // --- columns (in the order given); may be set before the dataset
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const;
    int columnOf(const QString& field) const;
    void setColumnVisible(int column, bool visible);
    // Visible columns in the order they show.
    std::vector<int> visibleColumns() const;
    // Column widths follow the window: the configured widths are scaled to
    // fill the grid, never below a column's minimum.
    void setFitColumnsToWidth(bool fit);
    QString cellText(int row, int column) const;

    // --- editing
    void setEditable(bool editable);
    bool isEditable() const;
    // Enter (outside an editor) moves to the next cell, then to the next row.
    void setEnterMovesToNextCell(bool on) { enterMoves_ = on; }

    // --- colours
    void setCellStyleHook(CellStyleHook hook) { hook_ = std::move(hook); }
    // Colours of a cell before selection: white or silver, then the hook.
    CellStyle cellStyle(int row, int column) const;
    void setAlternateRows(bool on);
    void setSelectedCellColouring(bool on);
    bool selectedCellColouring() const { return selectedColouring_; }
    void setHighlightCurrentRow(bool on);
    bool highlightsCurrentRow() const { return highlightCurrent_; }
    static QColor alternateRowColour() { return QColor(192, 192, 192); }
    static QColor currentRowColour();
    // The skin's pair: the focused selected cell and the other selected cells.
    static QColor highlightColour();
    static QColor selectionColour();
    static void setSkinColours(const QColor& highlight, const QColor& selection);

    // --- titles and order
    void setTitleClicks(TitleClicks mode) { titleClicks_ = mode; }
    TitleClicks titleClicks() const { return titleClicks_; }
    // What a click on a title does; Ctrl combines with the columns already sorted.
    void titleClick(int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Sort markers (and, when sorting the loaded rows, the order itself).
    void setSortKeys(std::vector<GridHeader::SortKey> keys);
    const std::vector<GridHeader::SortKey>& sortKeys() const;
    GridHeader* titleHeader() const { return header_; }

    // --- filter row
    void setFilterRowVisible(bool visible);
    bool isFilterRowVisible() const;
    // The filter row filters the loaded rows ("contains", ignoring case).
    void setLocalFiltering(bool local);
    bool localFiltering() const { return localFiltering_; }
    QString filterText(int column) const;
    void setFilterText(int column, const QString& text);
    QLineEdit* filterEditor(int column) const;
    // A filter of the screen's own that the filter row's is combined with.
    void setBaseFilter(std::function<bool(const ClientDataSet&, int rowId)> filter);

    // --- incremental search
    // Time allowed between two keystrokes; one setting for every grid.
    static void setSearchDelay(int milliseconds);
    static int searchDelay();
    // The clock the search measures pauses with (milliseconds); tests set their own.
    static void setClock(std::function<qint64()> clock);
    void setIncrementalSearch(bool on) { incrementalSearch_ = on; }
    const QString& searchText() const { return search_; }
    // Moves to the first row whose current-column text starts with `text`.
    bool searchFor(const QString& text);

    // --- selection, copy
    bool hasCellSelection() const;
    // The selected cells: every row and column holding a selected cell, in
    // their order on screen.
    GridTable selectionTable(bool withTitles) const;
    // Every row (fetched so far) and visible column.
    GridTable allRowsTable(bool withTitles) const;
    // Copy and select all may be forbidden per screen.
    void setCopyAllowed(bool allowed) { copyAllowed_ = allowed; }
    bool copyAllowed() const { return copyAllowed_; }
    // Puts the selection on the clipboard as tab-separated text, CSV, HTML
    // and RTF. False (and the clipboard untouched) when not allowed or
    // nothing is selected.
    bool copySelection();
    // Fetches the remaining rows and selects everything; false when not
    // allowed or there are no rows.
    bool selectEverything();

signals:
    void titleClicked(int column, Qt::KeyboardModifiers modifiers);
    // The filter row was applied (Enter, or leaving an edited filter cell).
    void filterChanged();
    void filterRowVisibleChanged(bool visible);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyColumnLayout();
    void fitColumns();
    void followDataSet(int row);
    void restoreCurrent();
    void applyFilters();
    void moveToNextCell();
    void applySort();
    bool cellEditable(const QModelIndex& index) const;

    GridModel* model_ = nullptr;
    std::vector<GridColumn> configured_; // empty: every visible field
    QPointer<ClientDataSet> dataset_;
    GridHeader* header_;
    CellStyleHook hook_;
    bool alternate_ = true;
    bool selectedColouring_ = true;
    bool highlightCurrent_ = false;
    bool fit_ = false;
    bool editable_ = false;
    bool copyAllowed_ = true;
    bool localFiltering_ = false;
    bool filterActive_ = false;
    bool incrementalSearch_ = true;
    bool enterMoves_ = false;
    bool syncing_ = false;
    bool marking_ = false; // a row indicator or title is marking rows or columns
    Qt::KeyboardModifiers markModifiers_;
    bool resizing_ = false;
    int savedColumn_ = 0;
    TitleClicks titleClicks_ = TitleClicks::SortLoadedRows;
    std::function<bool(const ClientDataSet&, int)> baseFilter_;
    QString search_;
    qint64 lastKey_ = 0;
};

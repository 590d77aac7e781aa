#include "ui/DataGrid.h"

#include "data/ClientDataSet.h"
#include "ui/CsvGridWriter.h"
#include "ui/GridDelegate.h"
#include "ui/GridError.h"
#include "ui/GridModel.h"
#include "ui/GridTable.h"
#include "ui/HtmlGridWriter.h"
#include "ui/RtfGridWriter.h"
#include "ui/TextGridWriter.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>

#include <algorithm>

namespace {
int searchDelayMs = 1500;
QColor skinHighlight(10, 36, 106);
QColor skinSelection(96, 128, 176);

std::function<qint64()>& clockFunction() {
    static std::function<qint64()> clock;
    return clock;
}

qint64 now() {
    if (clockFunction())
        return clockFunction()();
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}
} // namespace

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), header_(new GridHeader(this)) {
    setHorizontalHeader(header_);
    // Titles are buttons of their own: a press does not mark the column.
    disconnect(header_, &QHeaderView::sectionPressed, this, &QTableView::selectColumn);
    disconnect(header_, SIGNAL(sectionEntered(int)), this, SLOT(_q_selectColumn(int)));
    connect(header_, &QHeaderView::sectionPressed, this, [this](int column) {
        if (titleClicks_ == TitleClicks::None) {
            marking_ = true;
            markModifiers_ = header_->clickModifiers();
            selectColumn(column);
            marking_ = false;
        }
    });
    connect(header_, &QHeaderView::sectionClicked, this,
            [this](int column) { titleClick(column, header_->clickModifiers()); });
    connect(header_, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (resizing_ || !model_ || column >= model_->columnCount())
            return;
        const int min = model_->column(column).minWidth;
        if (size < min && !header_->isSectionHidden(column)) {
            resizing_ = true;
            header_->resizeSection(column, min);
            resizing_ = false;
        }
    });
    connect(header_, &QHeaderView::sectionCountChanged, this, [this] { applyColumnLayout(); });
    connect(header_, &GridHeader::filterEdited, this, [this] {
        if (localFiltering_)
            applyFilters();
    });
    connect(header_, &GridHeader::filterApplied, this, [this] { emit filterChanged(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, header_, &GridHeader::placeEditors);

    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false); // the silver rows are drawn with the cell colours
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setTabKeyNavigation(true);
    verticalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(14);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setMinimumSectionSize(8);
}

DataGrid::~DataGrid() = default;

// ---------------------------------------------------------------- data

void DataGrid::setDataSet(ClientDataSet* dataset) {
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    GridModel* old = model_;
    dataset_ = dataset;
    model_ = dataset ? new GridModel(dataset, this) : nullptr;
    if (model_) {
        if (!configured_.empty())
            model_->setColumns(configured_);
        model_->editable = editable_;
    }
    setModel(model_);
    delete old;
    if (model_) {
        // Connected after the view's own handlers, which clear the current
        // cell on a reset.
        connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { savedColumn_ = currentIndex().isValid() ? currentIndex().column() : savedColumn_; });
        connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::restoreCurrent);
        connect(dataset, &ClientDataSet::currentChanged, this, &DataGrid::followDataSet);
    }
    applyColumnLayout();
    restoreCurrent();
}

ClientDataSet* DataGrid::dataSet() const { return dataset_; }

void DataGrid::setColumns(std::vector<GridColumn> columns) {
    configured_ = std::move(columns);
    if (!model_)
        return;
    model_->setColumns(configured_);
    applyColumnLayout();
}

const std::vector<GridColumn>& DataGrid::columns() const { return model_ ? model_->columns() : configured_; }

int DataGrid::columnOf(const QString& field) const {
    const auto& cs = columns();
    for (size_t i = 0; i < cs.size(); ++i)
        if (cs[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void DataGrid::setColumnVisible(int column, bool visible) {
    header_->setSectionHidden(column, !visible);
    header_->placeEditors();
    fitColumns();
}

std::vector<int> DataGrid::visibleColumns() const {
    std::vector<int> out;
    if (!model_)
        return out;
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (!header_->isSectionHidden(logical))
            out.push_back(logical);
    }
    return out;
}

void DataGrid::applyColumnLayout() {
    if (!model_ || header_->count() != model_->columnCount())
        return;
    resizing_ = true;
    for (int c = 0; c < model_->columnCount(); ++c) {
        const GridColumn& col = model_->column(c);
        if (col.width > 0)
            header_->resizeSection(c, std::max(col.width, col.minWidth));
        else if (col.minWidth > header_->sectionSize(c))
            header_->resizeSection(c, col.minWidth);
        header_->setSectionHidden(c, !col.visible);
    }
    resizing_ = false;
    fitColumns();
}

void DataGrid::setFitColumnsToWidth(bool fit) {
    fit_ = fit;
    fitColumns();
}

void DataGrid::fitColumns() {
    if (!fit_ || !model_ || resizing_)
        return;
    const std::vector<int> shown = visibleColumns();
    const int avail = viewport()->width();
    if (shown.empty() || avail <= 0)
        return;
    double total = 0;
    std::vector<int> design;
    for (int c : shown) {
        const GridColumn& col = model_->column(c);
        design.push_back(std::max(col.width > 0 ? col.width : header_->defaultSectionSize(), 1));
        total += design.back();
    }
    resizing_ = true;
    int used = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const int min = model_->column(shown[i]).minWidth;
        int w = i + 1 == shown.size() ? avail - used : int(design[i] * avail / total);
        w = std::max({w, min, 8});
        header_->resizeSection(shown[i], w);
        used += w;
    }
    resizing_ = false;
}

void DataGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

QString DataGrid::cellText(int row, int column) const {
    return model_ ? model_->displayText(row, column) : QString();
}

// ---------------------------------------------------------------- editing

void DataGrid::setEditable(bool editable) {
    editable_ = editable;
    if (model_)
        model_->editable = editable;
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
    viewport()->update();
}

bool DataGrid::isEditable() const { return editable_; }

bool DataGrid::cellEditable(const QModelIndex& index) const {
    return index.isValid() && model_ && (model_->flags(index) & Qt::ItemIsEditable);
}

// ---------------------------------------------------------------- colours

CellStyle DataGrid::cellStyle(int row, int column) const {
    CellStyle s;
    s.background = alternate_ && row % 2 == 1 ? alternateRowColour() : palette().color(QPalette::Base);
    s.text = palette().color(QPalette::Text);
    if (hook_)
        hook_(row, column, s);
    return s;
}

void DataGrid::setAlternateRows(bool on) {
    alternate_ = on;
    viewport()->update();
}

void DataGrid::setSelectedCellColouring(bool on) {
    selectedColouring_ = on;
    viewport()->update();
}

void DataGrid::setHighlightCurrentRow(bool on) {
    highlightCurrent_ = on;
    viewport()->update();
}

QColor DataGrid::currentRowColour() { return QColor(255, 255, 200); }
QColor DataGrid::highlightColour() { return skinHighlight; }
QColor DataGrid::selectionColour() { return skinSelection; }

void DataGrid::setSkinColours(const QColor& highlight, const QColor& selection) {
    skinHighlight = highlight;
    skinSelection = selection;
}

void DataGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void DataGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

// ---------------------------------------------------------------- current row

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (highlightCurrent_ || selectionBehavior() == SelectRows || current.row() != previous.row())
        viewport()->update();
    if (syncing_ || !current.isValid() || !dataset_ || !dataset_->active() ||
        dataset_->recNo() == current.row())
        return;
    syncing_ = true;
    const bool ok = runGridAction([&] { dataset_->moveTo(current.row()); }, dataset_);
    syncing_ = false;
    if (!ok) // the dataset stayed where it was (a refused post): so does the grid
        QMetaObject::invokeMethod(
            this, [this] { restoreCurrent(); }, Qt::QueuedConnection);
}

void DataGrid::followDataSet(int row) {
    if (syncing_ || !model_ || row < 0 || row >= model_->rowCount())
        return;
    if (currentIndex().row() == row)
        return;
    int column = currentIndex().isValid() ? currentIndex().column() : savedColumn_;
    if (column < 0 || column >= model_->columnCount() || header_->isSectionHidden(column)) {
        const auto shown = visibleColumns();
        column = shown.empty() ? 0 : shown.front();
    }
    syncing_ = true;
    const QModelIndex index = model_->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
    syncing_ = false;
}

void DataGrid::restoreCurrent() {
    if (!model_ || !dataset_ || !dataset_->active() || !selectionModel())
        return;
    const int row = dataset_->recNo();
    if (row < 0 || row >= model_->rowCount())
        return;
    if (currentIndex().isValid())
        savedColumn_ = currentIndex().column();
    if (currentIndex().row() != row)
        followDataSet(row);
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
    // Row indicators mark rows while a button is held on them.
    const QEvent::Type type = event->type();
    if (watched == verticalHeader()->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
         type == QEvent::MouseButtonRelease)) {
        const auto* me = static_cast<QMouseEvent*>(event);
        marking_ = type != QEvent::MouseButtonRelease && me->buttons() != Qt::NoButton;
        markModifiers_ = me->modifiers();
    }
    return QTableView::eventFilter(watched, event);
}

QItemSelectionModel::SelectionFlags DataGrid::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    // Moving the current cell marks nothing: marks come from dragging, Shift
    // or Ctrl, the row indicators, or selecting everything. So "nothing
    // selected" stays possible, and the current cell alone is no selection.
    if (!event && selectionMode() == ExtendedSelection) {
        if (!marking_)
            return QItemSelectionModel::NoUpdate; // the program moved the current cell
        // Row indicators and titles mark with the modifiers of their own click.
        if (markModifiers_ & Qt::ControlModifier)
            return QItemSelectionModel::Toggle;
        if (markModifiers_ & Qt::ShiftModifier)
            return QItemSelectionModel::SelectCurrent;
        return QItemSelectionModel::ClearAndSelect;
    }
    if (event && selectionMode() == ExtendedSelection) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* me = static_cast<const QMouseEvent*>(event);
            if (me->button() == Qt::RightButton)
                return QItemSelectionModel::NoUpdate;
            if (!(me->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
                return QItemSelectionModel::Clear;
        } else if (event->type() == QEvent::KeyPress) {
            const auto* ke = static_cast<const QKeyEvent*>(event);
            if (!(ke->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
                return QItemSelectionModel::Clear;
        }
    }
    return QTableView::selectionCommand(index, event);
}

// ---------------------------------------------------------------- titles and order

void DataGrid::titleClick(int column, Qt::KeyboardModifiers modifiers) {
    if (titleClicks_ == TitleClicks::None || !model_ || column < 0 || column >= model_->columnCount())
        return;
    if (titleClicks_ == TitleClicks::SortLoadedRows) {
        std::vector<GridHeader::SortKey> keys = header_->sortKeys();
        auto it = std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.column == column; });
        if (modifiers & Qt::ControlModifier) {
            if (it != keys.end())
                it->descending = !it->descending;
            else
                keys.push_back({column, false});
        } else if (keys.size() == 1 && it != keys.end()) {
            it->descending = !it->descending;
        } else {
            keys = {{column, false}};
        }
        setSortKeys(std::move(keys));
    }
    emit titleClicked(column, modifiers);
}

void DataGrid::setSortKeys(std::vector<GridHeader::SortKey> keys) {
    header_->setSortKeys(std::move(keys));
    if (titleClicks_ == TitleClicks::SortLoadedRows)
        applySort();
}

const std::vector<GridHeader::SortKey>& DataGrid::sortKeys() const { return header_->sortKeys(); }

void DataGrid::applySort() {
    if (!dataset_ || !model_)
        return;
    QStringList names;
    for (const auto& k : header_->sortKeys()) {
        const QString field = model_->column(k.column).field;
        names << (k.descending ? field + QStringLiteral(" DESC") : field);
    }
    const QString joined = names.join(QLatin1Char(';'));
    if (joined != dataset_->indexFieldNames())
        runGridAction([&] { dataset_->setIndexFieldNames(joined); }, dataset_);
}

// ---------------------------------------------------------------- filter row

void DataGrid::setFilterRowVisible(bool visible) {
    if (visible == header_->isFilterRowVisible())
        return;
    header_->setFilterRowVisible(visible);
    if (!visible) { // a hidden filter row filters nothing
        header_->clearFilters();
        applyFilters();
    }
    updateGeometries();
    header_->placeEditors();
    emit filterRowVisibleChanged(visible);
}

bool DataGrid::isFilterRowVisible() const { return header_->isFilterRowVisible(); }

void DataGrid::setLocalFiltering(bool local) {
    localFiltering_ = local;
    applyFilters();
}

QString DataGrid::filterText(int column) const { return header_->filterText(column); }

QLineEdit* DataGrid::filterEditor(int column) const { return header_->filterEditor(column); }

void DataGrid::setFilterText(int column, const QString& text) {
    QLineEdit* e = header_->filterEditor(column);
    if (!e)
        return;
    e->setText(text);
    if (localFiltering_)
        applyFilters();
    emit filterChanged();
}

void DataGrid::setBaseFilter(std::function<bool(const ClientDataSet&, int)> filter) {
    baseFilter_ = std::move(filter);
    applyFilters();
}

void DataGrid::applyFilters() {
    if (!dataset_ || !model_)
        return;
    struct Condition {
        QString field;
        int index;
        QString needle;
        GridColumn column;
    };
    std::vector<Condition> conditions;
    if (localFiltering_ && header_->isFilterRowVisible())
        for (int c = 0; c < model_->columnCount(); ++c) {
            const QString text = header_->filterText(c);
            if (!text.isEmpty())
                conditions.push_back({model_->column(c).field, -1, text, model_->column(c)});
        }
    if (conditions.empty() && !baseFilter_) {
        if (filterActive_) {
            filterActive_ = false;
            runGridAction([&] { dataset_->clearFilter(); }, dataset_);
        }
        return;
    }
    filterActive_ = true;
    auto base = baseFilter_;
    runGridAction(
        [&] {
            dataset_->setFilter([conditions, base](const ClientDataSet& d, int id) mutable {
                if (base && !base(d, id))
                    return false;
                for (Condition& c : conditions) {
                    if (c.index < 0 || c.index >= d.fieldCount() || d.field(c.index).name != c.field)
                        c.index = d.fieldIndex(c.field);
                    if (c.index < 0)
                        return false;
                    QString value = d.rowValue(id, c.index).toString();
                    if (c.column.kind == GridColumn::Kind::PickList)
                        value = c.column.shown(value);
                    if (!value.contains(c.needle, Qt::CaseInsensitive))
                        return false;
                }
                return true;
            });
        },
        dataset_);
}

// ---------------------------------------------------------------- incremental search

void DataGrid::setSearchDelay(int milliseconds) { searchDelayMs = milliseconds; }
int DataGrid::searchDelay() { return searchDelayMs; }
void DataGrid::setClock(std::function<qint64()> clock) { clockFunction() = std::move(clock); }

bool DataGrid::searchFor(const QString& text) {
    if (!model_ || !dataset_ || !dataset_->active() || text.isEmpty())
        return false;
    int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0) {
        const auto shown = visibleColumns();
        if (shown.empty())
            return false;
        column = shown.front();
    }
    // The loaded rows first; then further packets, as a locate would.
    for (int row = 0;;) {
        if (row >= dataset_->recordCount()) {
            if (dataset_->allFetched() || dataset_->fetchPacket() == 0)
                return false;
            if (!dataset_->indexFieldNames().isEmpty())
                row = 0; // sorted: the new rows fell in among the old ones
            continue;
        }
        if (model_->displayText(row, column).startsWith(text, Qt::CaseInsensitive)) {
            dataset_->moveTo(row);
            const QModelIndex index = model_->index(row, column);
            if (currentIndex() != index) {
                syncing_ = true;
                selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
                scrollTo(index);
                syncing_ = false;
            }
            return true;
        }
        ++row;
    }
}

void DataGrid::moveToNextCell() {
    const std::vector<int> shown = visibleColumns();
    if (!model_ || shown.empty() || !currentIndex().isValid())
        return;
    auto it = std::find(shown.begin(), shown.end(), currentIndex().column());
    int row = currentIndex().row();
    int column;
    if (it == shown.end() || it + 1 == shown.end()) {
        if (row + 1 >= model_->rowCount())
            return;
        ++row;
        column = shown.front();
    } else {
        column = *(it + 1);
    }
    setCurrentIndex(model_->index(row, column));
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectEverything();
        event->accept();
        return;
    }
    const bool editing = state() == QAbstractItemView::EditingState;
    if (enterMoves_ && !editing && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        moveToNextCell();
        event->accept();
        return;
    }
    const QModelIndex current = currentIndex();
    const bool checkable = current.isValid() && (model_->flags(current) & Qt::ItemIsUserCheckable);
    const QString typed = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (incrementalSearch_ && !editing && plain && current.isValid() && !cellEditable(current)) {
        if (event->key() == Qt::Key_Backspace && !search_.isEmpty()) {
            lastKey_ = now();
            search_.chop(1);
            if (!search_.isEmpty())
                runGridAction([&] { searchFor(search_); }, dataset_);
            event->accept();
            return;
        }
        if (!typed.isEmpty() && typed.at(0).isPrint() && !(checkable && event->key() == Qt::Key_Space)) {
            const qint64 t = now();
            if (t - lastKey_ > searchDelayMs)
                search_.clear();
            lastKey_ = t;
            search_ += typed;
            runGridAction([&] { searchFor(search_); }, dataset_);
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

// ---------------------------------------------------------------- selection and copy

bool DataGrid::hasCellSelection() const { return selectionModel() && selectionModel()->hasSelection(); }

GridTable DataGrid::selectionTable(bool withTitles) const {
    if (!model_ || !selectionModel())
        return {};
    const int rows = model_->rowCount(), columns = model_->columnCount();
    std::vector<char> rowOn(static_cast<size_t>(rows)), columnOn(static_cast<size_t>(columns));
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (!range.isValid())
            continue;
        for (int r = range.top(); r <= range.bottom() && r < rows; ++r)
            rowOn[size_t(r)] = 1;
        for (int c = range.left(); c <= range.right() && c < columns; ++c)
            columnOn[size_t(c)] = 1;
    }
    std::vector<int> rowList, columnList;
    for (int r = 0; r < rows; ++r)
        if (rowOn[size_t(r)])
            rowList.push_back(r);
    for (int c : visibleColumns())
        if (columnOn[size_t(c)])
            columnList.push_back(c);
    if (rowList.empty() || columnList.empty())
        return {};
    return GridTable(this, std::move(rowList), std::move(columnList), withTitles);
}

GridTable DataGrid::allRowsTable(bool withTitles) const {
    if (!model_)
        return {};
    std::vector<int> rows(static_cast<size_t>(model_->rowCount()));
    for (size_t r = 0; r < rows.size(); ++r)
        rows[r] = int(r);
    return GridTable(this, std::move(rows), visibleColumns(), withTitles);
}

bool DataGrid::copySelection() {
    if (!copyAllowed_ || !dataset_ || !dataset_->active() || !hasCellSelection())
        return false;
    const GridTable table = selectionTable(false);
    if (table.isEmpty())
        return false;
    auto* mime = new QMimeData;
    mime->setText(QString::fromUtf8(TextGridWriter().toBytes(table)));
    mime->setData(QStringLiteral("text/csv"), CsvGridWriter().toBytes(table));
    mime->setHtml(QString::fromUtf8(HtmlGridWriter().toBytes(table)));
    mime->setData(QStringLiteral("text/rtf"), RtfGridWriter().toBytes(table));
    QApplication::clipboard()->setMimeData(mime);
    return true;
}

bool DataGrid::selectEverything() {
    if (!copyAllowed_ || !model_ || !dataset_ || !dataset_->active())
        return false;
    // Everything means every row, not only those fetched so far.
    if (!runGridAction([&] { dataset_->fetchAll(); }, dataset_))
        return false;
    if (model_->rowCount() == 0)
        return false;
    selectAll();
    return true;
}

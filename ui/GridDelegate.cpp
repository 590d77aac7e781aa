#include "ui/GridDelegate.h"

#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

GridDelegate::GridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

namespace {
bool isCheck(const DataGrid* grid, const QModelIndex& index) {
    return grid->gridModel() && grid->gridModel()->column(index.column()).kind == GridColumn::Kind::CheckBox;
}
} // namespace

QRect GridDelegate::checkRect(const QStyleOptionViewItem& option) const {
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget);
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, QSize(w, h), option.rect);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();

    CellStyle cell = grid_->cellStyle(index.row(), index.column());
    if (grid_->highlightsCurrentRow() && index.row() == grid_->currentIndex().row())
        cell.background = DataGrid::currentRowColour();
    opt.backgroundBrush = cell.background;
    opt.palette.setColor(QPalette::Text, cell.text);
    // While the grid has the focus its current cell (its current row, when
    // whole rows are selected) is drawn as selected, as marked cells are.
    const QModelIndex current = grid_->currentIndex();
    const bool gridFocus = grid_->hasFocus();
    const bool focusedCell = gridFocus && index == current;
    const bool currentCell =
        index == current ||
        (grid_->selectionBehavior() == QAbstractItemView::SelectRows && index.row() == current.row());
    if (gridFocus && currentCell)
        opt.state |= QStyle::State_Selected;
    if ((opt.state & QStyle::State_Selected) && grid_->selectedCellColouring()) {
        // The focused cell in the skin's highlight with yellow text; the other
        // selected cells in its selection colour with white text.
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus); // no tinted focus frame either
        opt.backgroundBrush = focusedCell ? DataGrid::highlightColour() : DataGrid::selectionColour();
        opt.palette.setColor(QPalette::Text, focusedCell ? QColor(255, 255, 0) : QColor(Qt::white));
    }

    if (!isCheck(grid_, index)) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        return;
    }
    // Check box: the cell's background, then the box in the middle.
    const auto state = opt.checkState;
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QStyleOptionViewItem box = opt;
    box.rect = checkRect(option);
    box.state = (box.state & ~(QStyle::State_On | QStyle::State_Off | QStyle::State_HasFocus)) |
                (state == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index) {
    if (!isCheck(grid_, index))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (!(model->flags(index) & Qt::ItemIsUserCheckable) || !(model->flags(index) & Qt::ItemIsEnabled))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton || !checkRect(option).contains(me->position().toPoint()))
            return false;
        break;
    }
    case QEvent::MouseButtonDblClick:
        return checkRect(option).contains(static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        break;
    }
    default:
        return false;
    }
    const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const GridColumn& c = grid_->gridModel()->column(index.column());
    if (c.kind != GridColumn::Kind::PickList)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->setFrame(false);
    for (const auto& [key, display] : c.items)
        combo->addItem(display, key);
    return combo;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QString stored = index.data(Qt::EditRole).toString();
    int i = combo->findData(stored);
    if (i < 0 && !stored.isEmpty()) { // a value outside the list stays choosable
        combo->insertItem(0, stored, stored);
        i = 0;
    }
    combo->setCurrentIndex(i);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    if (combo->currentIndex() >= 0)
        model->setData(index, combo->currentData(), Qt::EditRole);
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                             const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // Only a text that does not fit its cell shows in full as a tool-tip.
    const QString text = index.data(Qt::DisplayRole).toString();
    const QStyle* style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1;
    const bool cut = text.contains(QLatin1Char('\n')) ||
                     option.fontMetrics.horizontalAdvance(text) > option.rect.width() - 2 * margin;
    if (!text.isEmpty() && cut) {
        QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return false;
}

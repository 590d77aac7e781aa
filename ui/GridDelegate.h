#pragma once

#include <QStyledItemDelegate>

class DataGrid;

// Draws and edits the cells of a data grid: the row colours and the screen's
// colouring, the selected-cell colouring, check boxes centred in their
// cells, drop-downs for pick lists, and the full text of a cut-off cell as a
// tool-tip.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(DataGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    QRect checkRect(const QStyleOptionViewItem& option) const;
    DataGrid* grid_;
};

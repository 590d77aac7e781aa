#pragma once

#include <QHeaderView>

#include <vector>

class QLineEdit;

// The column titles of a data grid. Titles act as buttons (the grid decides
// what a click does; the keyboard modifiers held at the click are kept) and
// show sort markers: an arrow up or down on every sorted column, followed by
// the column's place in the order when several are combined. Under the titles
// an optional filter row holds one edit per column.
class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    struct SortKey {
        int column;
        bool descending;
    };

    explicit GridHeader(QWidget* parent = nullptr);

    void setSortKeys(std::vector<SortKey> keys);
    const std::vector<SortKey>& sortKeys() const { return sortKeys_; }

    void setFilterRowVisible(bool visible);
    bool isFilterRowVisible() const { return filterVisible_; }
    // The filter edit of a column (created with the filter row).
    QLineEdit* filterEditor(int column) const;
    QString filterText(int column) const;
    void clearFilters();

    // Modifiers held when the last title click started.
    Qt::KeyboardModifiers clickModifiers() const { return clickModifiers_; }

    QSize sizeHint() const override;

    // Places the filter edits under their titles again (after scrolling).
    void placeEditors();

signals:
    // A filter edit's text changed.
    void filterEdited(int column);
    // Enter was pressed in a filter edit, or one lost the focus after a change.
    void filterApplied(int column);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    void syncEditors();
    int editorHeight() const;

    std::vector<SortKey> sortKeys_;
    bool filterVisible_ = false;
    std::vector<QLineEdit*> editors_;
    Qt::KeyboardModifiers clickModifiers_;
};

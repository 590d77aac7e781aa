#include "ui/GridHeader.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    connect(this, &QHeaderView::sectionResized, this, &GridHeader::placeEditors);
    connect(this, &QHeaderView::sectionMoved, this, &GridHeader::placeEditors);
    connect(this, &QHeaderView::sectionCountChanged, this, [this] {
        syncEditors();
        placeEditors();
    });
}

void GridHeader::setSortKeys(std::vector<SortKey> keys) {
    sortKeys_ = std::move(keys);
    viewport()->update();
}

int GridHeader::editorHeight() const { return fontMetrics().height() + 8; }

QSize GridHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    if (filterVisible_)
        s.rheight() += editorHeight();
    return s;
}

void GridHeader::setFilterRowVisible(bool visible) {
    if (visible == filterVisible_)
        return;
    filterVisible_ = visible;
    syncEditors();
    for (QLineEdit* e : editors_)
        e->setVisible(visible);
    updateGeometry();
    placeEditors();
    viewport()->update();
}

QLineEdit* GridHeader::filterEditor(int column) const {
    return column >= 0 && size_t(column) < editors_.size() ? editors_[size_t(column)] : nullptr;
}

QString GridHeader::filterText(int column) const {
    const QLineEdit* e = filterEditor(column);
    return e ? e->text() : QString();
}

void GridHeader::clearFilters() {
    for (QLineEdit* e : editors_) {
        const QSignalBlocker block(e);
        e->clear();
    }
}

void GridHeader::syncEditors() {
    const int n = count();
    while (int(editors_.size()) > n) {
        delete editors_.back();
        editors_.pop_back();
    }
    while (int(editors_.size()) < n) {
        const int column = int(editors_.size());
        auto* e = new QLineEdit(viewport());
        e->setObjectName(QStringLiteral("filter%1").arg(column));
        e->setFrame(true);
        e->setClearButtonEnabled(false);
        e->setVisible(filterVisible_);
        connect(e, &QLineEdit::textEdited, this, [this, column] { emit filterEdited(column); });
        connect(e, &QLineEdit::editingFinished, this, [this, column] { emit filterApplied(column); });
        editors_.push_back(e);
    }
}

void GridHeader::placeEditors() {
    if (!filterVisible_)
        return;
    const int h = editorHeight();
    const int y = viewport()->height() - h;
    for (size_t i = 0; i < editors_.size(); ++i) {
        QLineEdit* e = editors_[i];
        const int logical = int(i);
        if (isSectionHidden(logical)) {
            e->hide();
            continue;
        }
        e->setGeometry(sectionViewportPosition(logical), y, sectionSize(logical), h);
        e->show();
    }
}

void GridHeader::updateGeometries() {
    QHeaderView::updateGeometries();
    placeEditors();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QRect title = rect;
    if (filterVisible_)
        title.setHeight(rect.height() - editorHeight());
    QHeaderView::paintSection(painter, title, logicalIndex);
}

void GridHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    for (size_t k = 0; k < sortKeys_.size(); ++k) {
        if (sortKeys_[k].column != logicalIndex)
            continue;
        // An ascending order points up, a descending one down.
        option->sortIndicator =
            sortKeys_[k].descending ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
        if (sortKeys_.size() > 1)
            option->text += QStringLiteral(" %1").arg(k + 1);
    }
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    clickModifiers_ = event->modifiers();
    QHeaderView::mousePressEvent(event);
}

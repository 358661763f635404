#include "view/DomainListCtrl.h"

#include "core/DomainDoc.h"
#include "view/DomainListModel.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>

CDomainListCtrl::CDomainListCtrl(CDomainDoc& doc, QWidget* parent)
    : QTableView(parent)
    , m_doc(doc)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(false);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { m_doc.SortList(CDomainListModel::SortKeyOf(column)); });
}

int CDomainListCtrl::CurrentRow() const
{
    const QModelIndexList rows =
        selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void CDomainListCtrl::SelectRow(int row)
{
    const QModelIndex index = model()->index(row, CDomainListModel::Domain);
    if (!index.isValid()) {
        return;
    }
    scrollTo(index);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

void CDomainListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (ToggleCheckBoxUnder(*event)) {
        return;
    }
    QTableView::mousePressEvent(event);
    // Shown once the click has been handled, as the row's selection settles first.
    QTimer::singleShot(0, this, &CDomainListCtrl::ShowInfoRequested);
    if (event->button() == Qt::RightButton) {
        const QPoint global = event->globalPosition().toPoint();
        QTimer::singleShot(0, this, [this, global] { Q_EMIT PopupMenuRequested(global); });
    }
}

// The second click of a double click arrives as this event alone: it toggles the box again.
void CDomainListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!ToggleCheckBoxUnder(*event)) {
        QTableView::mouseDoubleClickEvent(event);
    }
}

bool CDomainListCtrl::ToggleCheckBoxUnder(QMouseEvent& event)
{
    const QPoint position = event.position().toPoint();
    const QModelIndex index = indexAt(position);
    if (event.button() != Qt::LeftButton || !IsOnCheckBox(position, index)) {
        return false;
    }
    m_doc.SetTicked(index.row(), !m_doc.GetAt(index.row())->m_bTicked);
    event.accept();
    return true;
}

bool CDomainListCtrl::IsOnCheckBox(const QPoint& position, const QModelIndex& index) const
{
    if (!index.isValid() || index.column() != CDomainListModel::SlNo || !m_doc.GetAt(index.row()) ||
        position.x() >= kCheckBoxZone) {
        return false;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    return box.adjusted(-2, -2, 2, 2).contains(position);
}

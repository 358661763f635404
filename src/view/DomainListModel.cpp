#include "view/DomainListModel.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"

#include <algorithm>

CDomainListModel::CDomainListModel(CDomainDoc& doc, QObject* parent)
    : QAbstractTableModel(parent)
    , m_doc(doc)
    , m_nRows(doc.GetCount())
{
    connect(&m_doc, &CDomainDoc::ListReset, this, &CDomainListModel::Rebuild);
    connect(&m_doc, &CDomainDoc::RowsChanged, this, &CDomainListModel::OnRowsChanged);
    connect(&m_doc, &CDomainDoc::RowRemoved, this, &CDomainListModel::OnRowRemoved);
}

DomainSort::Key CDomainListModel::SortKeyOf(int column)
{
    switch (column) {
    case Domain:
        return DomainSort::Key::ByName;
    case Status:
        return DomainSort::Key::ByStatus;
    case CheckedAt:
        return DomainSort::Key::ByTime;
    default:
        return DomainSort::Key::ByTick;
    }
}

int CDomainListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CDomainListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CDomainListModel::data(const QModelIndex& index, int role) const
{
    const CDomainInfo* entry = m_doc.GetAt(index.row());
    if (!entry) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        QByteArray text;
        m_doc.GetFieldText(index.row(), index.column(), text);
        return ByteText::Decode(text);
    }
    if (role == Qt::CheckStateRole && index.column() == SlNo) {
        return entry->m_bTicked ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::ToolTipRole) {
        // A name shown in Unicode: the tip gives the A-label the list keeps and looks up.
        if (DomainName::DisplayForm(entry->m_strName) != entry->m_strName) {
            return ByteText::Decode(entry->m_strName);
        }
    }
    return {};
}

bool CDomainListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != SlNo || !m_doc.GetAt(index.row())) {
        return false;
    }
    m_doc.SetTicked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags CDomainListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    // Not user-checkable: the list control toggles the box on the press itself, and the view's
    // own toggle on the release would undo it.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant CDomainListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case SlNo:
        return QStringLiteral("SlNo.");
    case Domain:
        return QStringLiteral("Domain");
    case Status:
        return QStringLiteral("Status");
    case CheckedAt:
        return QStringLiteral("Checked At");
    default:
        return {};
    }
}

void CDomainListModel::OnRowsChanged(int first, int last)
{
    if (m_doc.GetCount() > m_nRows) {
        // Names admitted without an announcement: rebuild rather than leave them out.
        Rebuild();
        return;
    }
    RefreshRows(std::max(first, 0), std::min(last, m_nRows - 1));
}

void CDomainListModel::OnRowRemoved(int row)
{
    if (row < 0 || row >= m_nRows) {
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    --m_nRows;
    endRemoveRows();
    RefreshRows(row, m_nRows - 1);
}

void CDomainListModel::Rebuild()
{
    beginResetModel();
    m_nRows = m_doc.GetCount();
    endResetModel();
}

void CDomainListModel::RefreshRows(int first, int last)
{
    if (first <= last) {
        Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
    }
}

#include "view/DomainListModel.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"

CDomainListModel::CDomainListModel(CDomainDoc& doc, QObject* parent)
    : QAbstractTableModel(parent)
    , m_doc(doc)
    , m_nRows(doc.GetCount())
{
    connect(&m_doc, &CDomainDoc::Updated, this, &CDomainListModel::OnDocumentUpdated);
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
        return entry->m_bSelected ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool CDomainListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != SlNo || !m_doc.GetAt(index.row())) {
        return false;
    }
    m_doc.SetSelected(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
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

void CDomainListModel::OnDocumentUpdated(int hint, int row)
{
    if (hint == CDomainDoc::HintRebuild || m_doc.GetCount() > m_nRows) {
        // New entries appear only with a rebuild; a refresh that finds more entries than rows
        // (names admitted without one) rebuilds rather than leave them out.
        Rebuild();
    } else if (hint == CDomainDoc::HintRowDeleted) {
        if (row >= 0 && row < m_nRows) {
            beginRemoveRows(QModelIndex(), row, row);
            --m_nRows;
            endRemoveRows();
            RefreshRows(row, m_nRows - 1);
        }
    } else if (hint < 1) {
        RefreshRows(0, m_nRows - 1);
    } else if (hint <= m_nRows) {
        RefreshRows(hint - 1, hint - 1);
    }
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

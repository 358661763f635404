#pragma once

#include "core/DomainSort.h"

#include <QAbstractTableModel>

class CDomainDoc;

// The document's list as a table for the view. The document's notifications become model
// signals: a reset, changed rows (a finished lookup repaints one row), a removed row (the rows
// after it are renumbered). A name shown in Unicode has its A-label as the row's tooltip.
class CDomainListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { SlNo = 0, Domain = 1, Status = 2, CheckedAt = 3, ColumnCount = 4 };

    explicit CDomainListModel(CDomainDoc& doc, QObject* parent = nullptr);

    // The order a click on a column's header asks for.
    static DomainSort::Key SortKeyOf(int column);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void OnRowsChanged(int first, int last);
    void OnRowRemoved(int row);
    void Rebuild();
    void RefreshRows(int first, int last);

    CDomainDoc& m_doc;
    // The rows the view shows; follows the document only through its notifications.
    int m_nRows = 0;
};

#pragma once

#include <QTableView>

class CDomainDoc;

// The check-box list of domains. A click on a row's check box ticks or unticks the entry without
// moving the selection; any other click selects the row and asks for its record; a right click
// also asks for the list's popup menu; a click on a column header sorts by that column.
class CDomainListCtrl final : public QTableView {
    Q_OBJECT

public:
    // Clicks this close to the left edge on a check box toggle it.
    static constexpr int kCheckBoxZone = 30;

    explicit CDomainListCtrl(CDomainDoc& doc, QWidget* parent = nullptr);

    // The highlighted row, or -1.
    int CurrentRow() const;
    void SelectRow(int row);

Q_SIGNALS:
    void ShowInfoRequested();
    void PopupMenuRequested(const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool ToggleCheckBoxUnder(QMouseEvent& event);
    bool IsOnCheckBox(const QPoint& position, const QModelIndex& index) const;

    CDomainDoc& m_doc;
};

#pragma once

#include <QDialog>

class CLookupScheduler;
class CTLDList;
class QLineEdit;
class QTreeWidget;

// "Top Level Domains & WHOIS Servers": edits the TLD table in place. The boxes under the list
// hold the values of the current row; they are written back to its entry whenever another row
// is chosen and before adding, deleting, sorting and closing. "&Close" saves the table to its
// file; leaving by Escape keeps the changes for this run only.
//
// Lookups may run meanwhile. A lookup holds its TLD entry's address record, not the entry, so
// entries can be edited, moved by sorting or deleted under it: a deleted entry withdraws its
// record and the lookups waiting for that address end as failures. Only the reset, which
// replaces every entry at once, is refused while lookups run.
class CTLDSetupDialog : public QDialog {
    Q_OBJECT

public:
    // The result of exec() when the dialog closed to be opened again on the changed table
    // (after sorting and after the reset).
    static constexpr int Reopen = 2;

    CTLDSetupDialog(CTLDList& list, CLookupScheduler& scheduler, QWidget* parent = nullptr);

    // "&Close": the boxes go to the current row's entry, and the table to its file.
    void accept() override;

protected:
    // Right-button clicks on the list are ignored, so they neither select nor commit.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Column { ColumnNumber, ColumnTLD, ColumnServer };

    void CreateList();
    QLayout* CreateBoxes();
    QLayout* CreateButtons();
    void AppendRow(int index);
    void RefreshRow(int index);
    void RenumberRows();
    int SelectedRow() const;
    // Selects a row without the commit that a selection by the user brings.
    void SelectRow(int index);
    void LoadBoxes(int index);
    void ClearBoxes();
    // Writes the boxes into the current row's entry, then loads the selected row (or the
    // current one when none is selected) into the boxes and makes it current.
    void CommitAndLoad();
    // After entries were added to the table or had their servers replaced: new rows appear,
    // and the last new one becomes the current row.
    void ShowTableChanges(int countBefore);

    void OnAddNewTLD();
    void OnDelete();
    void OnImport();
    void OnReset();
    void OnHeaderClicked(int column);

    CTLDList& m_list;
    CLookupScheduler& m_scheduler;
    QTreeWidget* m_pRows = nullptr;
    QLineEdit* m_pTLD = nullptr;
    QLineEdit* m_pServer = nullptr;
    QLineEdit* m_pRegistrar = nullptr;
    // The row whose values stand in the boxes; -1 for none.
    int m_nCurrentRow = -1;
    bool m_bSelectingRow = false;
};

// "Setup D&omains": runs the dialog, opening it again as long as it asks to. After "&Close",
// edited servers are resolved afresh; while lookups run the user is told that server changes do
// not take effect now, and the addresses in use stay.
void RunSetupDomainsCommand(QWidget* parent, CTLDList& tlds, CLookupScheduler& scheduler);

#pragma once

#include <QByteArrayList>
#include <QListWidget>

class CTLDList;

// The TLDs of the table, one check box each (" COM"), ticked where names without a TLD get that
// TLD. The ticks belong to the table: saving writes them into it and into its file, so every
// name dialog shows the same ticks.
class CTLDCheckList : public QListWidget {
    Q_OBJECT

public:
    explicit CTLDCheckList(CTLDList& tlds, QWidget* parent = nullptr);

    // Writes the ticks into the table and saves the TLD file; a failed save is reported.
    void SaveTicks();
    // The TLDs bare names get, as the table holds them after SaveTicks.
    QByteArrayList SavedTLDs() const;

private:
    CTLDList& m_tlds;
};

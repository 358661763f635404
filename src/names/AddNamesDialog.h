#pragma once

#include <QByteArray>
#include <QDialog>

class CByteTextEdit;
class CTLDCheckList;
class CTLDList;

// "Domain Names": names typed or imported from a text file, and the TLDs that names typed
// without one are combined with.
class CAddNamesDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAddNamesDialog(CTLDList& tlds, QWidget* parent = nullptr);

    // The text of the box when OK was pressed, as bytes.
    const QByteArray& NameText() const { return m_nameText; }

    // Saves the TLD ticks, then closes, unless the box is empty.
    void accept() override;

private:
    void ImportFromFile();

    CByteTextEdit* m_names;
    CTLDCheckList* m_tlds;
    QByteArray m_nameText;
};

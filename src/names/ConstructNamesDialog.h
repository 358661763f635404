#pragma once

#include "names/NameConstructor.h"

#include <QDialog>

#include <optional>
#include <utility>

class CByteTextEdit;
class CTLDCheckList;
class CTLDList;
class QCheckBox;
class QComboBox;

// "Construct Domain Names": a main keyword, the words that may pad it at the beginning and at
// the end (one pair of lists per type of web site), how they may be padded, and the TLDs.
class CConstructNamesDialog : public QDialog {
    Q_OBJECT

public:
    explicit CConstructNamesDialog(CTLDList& tlds, QWidget* parent = nullptr);

    // After OK: the names made from the dialog's values, in order.
    std::optional<CNameConstructor> TakeNames() { return std::exchange(m_names, std::nullopt); }

    // Saves the TLD ticks, makes the names, then stores the options, the keyword history and
    // the two word files of the chosen web type, in that order.
    void accept() override;

private:
    QCheckBox* AddOption(const QString& text, const char* objectName, bool checked);
    void LoadWordsForWebType();
    void ImportWords(CByteTextEdit* box);
    void ShowHelp();
    CPaddingOptions Options() const;
    void StoreOptions() const;

    QComboBox* m_keyword;
    QComboBox* m_webType;
    CByteTextEdit* m_beginningWords;
    CByteTextEdit* m_endWords;
    QCheckBox* m_useDash;
    QCheckBox* m_noStartAppend;
    QCheckBox* m_noEndAppend;
    QCheckBox* m_noBothAppend;
    CTLDCheckList* m_tlds;
    std::optional<CNameConstructor> m_names;
};

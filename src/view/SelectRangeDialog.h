#pragma once

#include <QDialog>

class CIntegerSpinEdit;
class QCheckBox;

// "Select a Range": ticks the entries from one row number to another and, on request, unticks
// the others. The boxes start with the last values used; their arrows stay within 1 to 9999, but
// any typed number is taken, so a long list can be ranged past row 9999.
class CSelectRangeDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CSelectRangeDialog(QWidget* parent = nullptr);

    int GetFrom() const;
    int GetTo() const;
    bool GetUnselectOthers() const;

    // The width at which a title bar shows the whole caption.
    static int CaptionWidth(const QString& caption, const QFont& font);

    CIntegerSpinEdit& GetFromBox() const { return *m_from; }
    CIntegerSpinEdit& GetToBox() const { return *m_to; }
    QCheckBox& GetUnselectBox() const { return *m_unselect; }

    void accept() override;

private:
    CIntegerSpinEdit* m_from;
    CIntegerSpinEdit* m_to;
    QCheckBox* m_unselect;
};

#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

// "Select a Range": ticks the entries from one row number to another and, on request, unticks
// the others. The boxes start with the last values used.
class CSelectRangeDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CSelectRangeDialog(QWidget* parent = nullptr);

    int GetFrom() const;
    int GetTo() const;
    bool GetUnselectOthers() const;

    QSpinBox& GetFromBox() const { return *m_from; }
    QSpinBox& GetToBox() const { return *m_to; }
    QCheckBox& GetUnselectBox() const { return *m_unselect; }

    void accept() override;

private:
    QSpinBox* m_from;
    QSpinBox* m_to;
    QCheckBox* m_unselect;
};

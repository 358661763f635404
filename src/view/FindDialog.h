#pragma once

#include <QDialog>

class QComboBox;

// "Find": an editable drop-down of earlier searches. It opens with the newest search (or the
// last text searched for when there is no history yet).
class CFindDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CFindDialog(QWidget* parent = nullptr);

    QString GetText() const;
    QComboBox& GetBox() const { return *m_box; }

private:
    QComboBox* m_box;
};

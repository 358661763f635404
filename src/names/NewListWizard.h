#pragma once

#include <QDialog>

class QAbstractButton;
class QGridLayout;
class QRadioButton;

// "New Domain Name List": asks a user starting an empty list how the names will be made.
class CNewListWizard : public QDialog {
    Q_OBJECT

public:
    enum class Choice { None, AddNames, ConstructNames };

    explicit CNewListWizard(QWidget* parent = nullptr);

    // The choice selected when OK was pressed; None after Cancel.
    Choice GetChoice() const { return m_choice; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* AddChoice(QGridLayout* layout, int row, const QString& text,
                            const char* objectName);

    QRadioButton* m_addNames;
    QRadioButton* m_constructNames;
    Choice m_choice = Choice::None;
};

#include "names/NewListWizard.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;
// Wide enough that each choice wraps into at most two lines.
constexpr int kChoiceTextColumns = 44;

// The program's icon once the application has one; until then a new document's.
QIcon ProgramIcon(const QStyle& style)
{
    const QIcon icon = QApplication::windowIcon();
    return icon.isNull() ? style.standardIcon(QStyle::SP_FileIcon) : icon;
}

} // namespace

CNewListWizard::CNewListWizard(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("New Domain Name List"));

    auto* choices = new QGridLayout;
    choices->setColumnStretch(1, 1);
    choices->setHorizontalSpacing(fontMetrics().averageCharWidth() * 2);
    choices->setVerticalSpacing(fontMetrics().height());
    m_addNames = AddChoice(choices, 0,
                           QStringLiteral("I will manually type in the domain names or import the "
                                          "names from a text file."),
                           "addNamesChoice");
    m_constructNames =
        AddChoice(choices, 1, QStringLiteral("I will create the names using keywords."),
                  "constructNamesChoice");
    m_addNames->setChecked(true);

    auto* cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addSpacing(fontMetrics().height() * 2);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setTabOrder(m_addNames, m_constructNames);
    setTabOrder(m_constructNames, cancelButton);
    setTabOrder(cancelButton, okButton);

    connect(cancelButton, &QPushButton::clicked, this, &CNewListWizard::reject);
    connect(okButton, &QPushButton::clicked, this, &CNewListWizard::accept);
}

void CNewListWizard::accept()
{
    if (m_addNames->isChecked()) {
        m_choice = Choice::AddNames;
    } else if (m_constructNames->isChecked()) {
        m_choice = Choice::ConstructNames;
    }
    QDialog::accept();
}

bool CNewListWizard::eventFilter(QObject* watched, QEvent* event)
{
    // A choice's text sits in a label of its own so that it can wrap; clicking it picks the
    // choice as clicking a radio button's own text would.
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto* label = qobject_cast<QLabel*>(watched)) {
            if (auto* choice = qobject_cast<QAbstractButton*>(label->buddy())) {
                choice->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

QRadioButton* CNewListWizard::AddChoice(QGridLayout* layout, int row, const QString& text,
                                        const char* objectName)
{
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon(*style()).pixmap(kIconSize, kIconSize));
    auto* choice = new QRadioButton(this);
    choice->setObjectName(QLatin1String(objectName));
    choice->setAccessibleName(text);
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setMinimumWidth(fontMetrics().averageCharWidth() * kChoiceTextColumns);
    label->setBuddy(choice);
    label->installEventFilter(this);

    auto* choiceRow = new QHBoxLayout;
    choiceRow->setSpacing(4);
    choiceRow->addWidget(choice, 0, Qt::AlignTop);
    choiceRow->addWidget(label, 1);
    layout->addWidget(icon, row, 0, Qt::AlignTop);
    layout->addLayout(choiceRow, row, 1);
    return choice;
}

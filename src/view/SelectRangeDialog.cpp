#include "view/SelectRangeDialog.h"

#include "core/Settings.h"
#include "view/IntegerSpinEdit.h"
#include "view/UserPrompt.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>

namespace {

// Room a window manager's title bar takes beside the caption: the window icon and three buttons.
constexpr int kTitleBarDecoration = 130;

CIntegerSpinEdit* RowBox(QWidget* parent, int value)
{
    auto* box = new CIntegerSpinEdit(1, 9999, parent);
    box->SetValue(value);
    return box;
}

} // namespace

CSelectRangeDialog::CSelectRangeDialog(QWidget* parent)
    : QDialog(parent)
    , m_from(RowBox(this, GetSetting(Setting::RangeFrom)))
    , m_to(RowBox(this, GetSetting(Setting::RangeTo)))
    , m_unselect(new QCheckBox(QStringLiteral("Unselect the others"), this))
{
    setWindowTitle(QStringLiteral("Select a Range"));
    m_unselect->setChecked(GetSetting(Setting::UnselectOthers) != 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectRangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("From"), m_from);
    layout->addRow(QStringLiteral("To"), m_to);
    layout->addRow(m_unselect);
    layout->addRow(buttons);
    setMinimumWidth(CaptionWidth(windowTitle(), font()));
}

// The dialog's own controls are narrow; the caption, in a title bar's bold, must still fit whole.
int CSelectRangeDialog::CaptionWidth(const QString& caption, const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarDecoration;
}

int CSelectRangeDialog::GetFrom() const
{
    return m_from->Value().value_or(0);
}

int CSelectRangeDialog::GetTo() const
{
    return m_to->Value().value_or(0);
}

bool CSelectRangeDialog::GetUnselectOthers() const
{
    return m_unselect->isChecked();
}

void CSelectRangeDialog::accept()
{
    for (CIntegerSpinEdit* box : {m_from, m_to}) {
        if (!box->Value()) {
            CUserPrompt::Warning(this, QStringLiteral("Please enter an integer."));
            box->setFocus();
            return;
        }
    }
    QDialog::accept();
}

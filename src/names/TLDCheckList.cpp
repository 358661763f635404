#include "names/TLDCheckList.h"

#include "core/ByteText.h"
#include "core/TLDList.h"
#include "view/UserPrompt.h"

CTLDCheckList::CTLDCheckList(QWidget* parent)
    : QListWidget(parent)
{
    setUniformItemSizes(true);
    for (const auto& entry : g_TLDList.GetEntries()) {
        auto* item =
            new QListWidgetItem(QLatin1Char(' ') + ByteText::Decode(entry->m_strTLD), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry->m_bUseForNew ? Qt::Checked : Qt::Unchecked);
    }
    if (count() > 0) {
        setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
}

void CTLDCheckList::SaveTicks()
{
    const int rows = std::min(count(), g_TLDList.GetCount());
    for (int row = 0; row < rows; ++row) {
        g_TLDList.GetAt(row)->m_bUseForNew = item(row)->checkState() == Qt::Checked ? 1 : 0;
    }
    const CFileResult saved = g_TLDList.SaveTLDList();
    if (!saved.Ok()) {
        CUserPrompt::Warning(this, saved.Message());
    }
}

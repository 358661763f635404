#include "names/TLDCheckList.h"

#include "core/ByteText.h"
#include "core/NameTokens.h"
#include "core/TLDList.h"
#include "view/UserPrompt.h"

CTLDCheckList::CTLDCheckList(CTLDList& tlds, QWidget* parent)
    : QListWidget(parent)
    , m_tlds(tlds)
{
    setUniformItemSizes(true);
    for (const auto& entry : m_tlds.GetEntries()) {
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
    const int rows = std::min(count(), m_tlds.GetCount());
    for (int row = 0; row < rows; ++row) {
        m_tlds.GetAt(row)->m_bUseForNew = item(row)->checkState() == Qt::Checked ? 1 : 0;
    }
    const CFileResult saved = m_tlds.SaveTLDList();
    if (!saved.Ok()) {
        CUserPrompt::Warning(this, saved.Message());
    }
}

QByteArrayList CTLDCheckList::SavedTLDs() const
{
    return TLDsForNewNames(m_tlds);
}

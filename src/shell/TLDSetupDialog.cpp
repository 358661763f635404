#include "shell/TLDSetupDialog.h"

#include "core/ByteText.h"
#include "core/TLDList.h"
#include "lookup/LookupScheduler.h"
#include "shell/ImportServersDialog.h"
#include "view/UserPrompt.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QByteArrayView kNewTLD = "xxx";
constexpr QByteArrayView kNewServer = "xxx.xx.xx";

// A box's text goes into its field only when the user changed it, so bytes that do not decode
// as typed (a Latin-1 server name read from the file) stay exactly as they were.
void StoreIfEdited(QByteArray& field, const QString& text)
{
    if (text != ByteText::Decode(field)) {
        field = ByteText::Encode(text);
    }
}

bool IsRightButtonClick(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton;
    default:
        return false;
    }
}

} // namespace

CTLDSetupDialog::CTLDSetupDialog(CTLDList& list, CLookupScheduler& scheduler, QWidget* parent)
    : QDialog(parent)
    , m_list(list)
    , m_scheduler(scheduler)
{
    setWindowTitle(QStringLiteral("Top Level Domains & WHOIS Servers"));
    CreateList();

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pRows, 0, 0);
    layout->addLayout(CreateBoxes(), 1, 0);
    layout->addLayout(CreateButtons(), 0, 1, 2, 1);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);

    for (int index = 0; index < m_list.GetCount(); ++index) {
        AppendRow(index);
    }
}

void CTLDSetupDialog::accept()
{
    CommitAndLoad();
    const CFileResult saved = m_list.SaveTLDList();
    if (!saved.Ok()) {
        CUserPrompt::Warning(this, saved.Message());
    }
    QDialog::accept();
}

bool CTLDSetupDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pRows->viewport() && IsRightButtonClick(event)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CTLDSetupDialog::CreateList()
{
    m_pRows = new QTreeWidget;
    m_pRows->setHeaderLabels(
        {QStringLiteral("SlNo."), QStringLiteral("TLD"), QStringLiteral("Server")});
    m_pRows->setRootIsDecorated(false);
    m_pRows->setUniformRowHeights(true);
    m_pRows->setAllColumnsShowFocus(true);
    m_pRows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pRows->setContextMenuPolicy(Qt::NoContextMenu);
    const QFontMetrics metrics(m_pRows->font());
    m_pRows->setColumnWidth(ColumnNumber, metrics.horizontalAdvance(QStringLiteral("SlNo.MMM")));
    m_pRows->setColumnWidth(ColumnTLD, metrics.horizontalAdvance(QLatin1Char('M')) * 10);
    m_pRows->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('M')) * 34,
                            metrics.lineSpacing() * 14);
    QHeaderView* header = m_pRows->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(true);
    connect(header, &QHeaderView::sectionClicked, this, &CTLDSetupDialog::OnHeaderClicked);
    connect(m_pRows->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_bSelectingRow) {
            CommitAndLoad();
        }
    });
    m_pRows->viewport()->installEventFilter(this);
}

QLayout* CTLDSetupDialog::CreateBoxes()
{
    m_pTLD = new QLineEdit;
    m_pTLD->setObjectName(QStringLiteral("tld"));
    m_pServer = new QLineEdit;
    m_pServer->setObjectName(QStringLiteral("server"));
    m_pServer->setToolTip(QStringLiteral("A WHOIS server (host or host:port) or the base URL of an "
                                         "RDAP service (https://rdap.example/)"));
    m_pRegistrar = new QLineEdit;
    m_pRegistrar->setObjectName(QStringLiteral("registrar"));
    auto* tldLabel = new QLabel(QStringLiteral("TLD"));
    tldLabel->setBuddy(m_pTLD);
    auto* serverLabel = new QLabel(QStringLiteral("WHOIS Server"));
    serverLabel->setBuddy(m_pServer);
    auto* registrarLabel = new QLabel(QStringLiteral("&Favorite registrar for this TLD/CC"));
    registrarLabel->setBuddy(m_pRegistrar);
    auto* instruction =
        new QLabel(QStringLiteral("Select a TLD from the list and make changes in the three boxes "
                                  "above (TLD, WHOIS Server & Registrar)."));
    instruction->setWordWrap(true);

    auto* boxes = new QGridLayout;
    boxes->addWidget(tldLabel, 0, 0);
    boxes->addWidget(serverLabel, 0, 1);
    boxes->addWidget(m_pTLD, 1, 0);
    boxes->addWidget(m_pServer, 1, 1);
    boxes->addWidget(registrarLabel, 2, 0, 1, 2);
    boxes->addWidget(m_pRegistrar, 3, 0, 1, 2);
    boxes->addWidget(instruction, 4, 0, 1, 2);
    boxes->setColumnStretch(0, 1);
    boxes->setColumnStretch(1, 2);
    return boxes;
}

QLayout* CTLDSetupDialog::CreateButtons()
{
    const auto addButton = [this](const QString& text, void (CTLDSetupDialog::*action)()) {
        auto* button = new QPushButton(text);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        return button;
    };
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &CTLDSetupDialog::accept);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(addButton(QStringLiteral("&Add New TLD"), &CTLDSetupDialog::OnAddNewTLD));
    buttons->addWidget(addButton(QStringLiteral("&Delete"), &CTLDSetupDialog::OnDelete));
    buttons->addWidget(addButton(QStringLiteral("&Import..."), &CTLDSetupDialog::OnImport));
    buttons->addWidget(addButton(QStringLiteral("&Reset"), &CTLDSetupDialog::OnReset));
    buttons->addStretch();
    buttons->addWidget(close);
    return buttons;
}

void CTLDSetupDialog::AppendRow(int index)
{
    m_pRows->addTopLevelItem(new QTreeWidgetItem);
    RefreshRow(index);
}

void CTLDSetupDialog::RefreshRow(int index)
{
    QTreeWidgetItem* row = m_pRows->topLevelItem(index);
    const CTLDInfo* entry = m_list.GetAt(index);
    if (!row || !entry) {
        return;
    }
    row->setText(ColumnNumber, QString::number(index + 1));
    row->setText(ColumnTLD, ByteText::Decode(entry->m_strTLD));
    row->setText(ColumnServer, ByteText::Decode(entry->m_strServer));
}

void CTLDSetupDialog::RenumberRows()
{
    for (int index = 0; index < m_pRows->topLevelItemCount(); ++index) {
        m_pRows->topLevelItem(index)->setText(ColumnNumber, QString::number(index + 1));
    }
}

int CTLDSetupDialog::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_pRows->selectedItems();
    return selected.isEmpty() ? -1 : m_pRows->indexOfTopLevelItem(selected.constFirst());
}

void CTLDSetupDialog::SelectRow(int index)
{
    m_bSelectingRow = true;
    m_pRows->setCurrentItem(m_pRows->topLevelItem(index));
    m_bSelectingRow = false;
}

void CTLDSetupDialog::LoadBoxes(int index)
{
    const CTLDInfo* entry = m_list.GetAt(index);
    if (!entry) {
        return;
    }
    m_pTLD->setText(ByteText::Decode(entry->m_strTLD));
    m_pServer->setText(ByteText::Decode(entry->m_strServer));
    m_pRegistrar->setText(ByteText::Decode(entry->m_strRegistrarURL));
}

void CTLDSetupDialog::ClearBoxes()
{
    m_pTLD->clear();
    m_pServer->clear();
    m_pRegistrar->clear();
}

void CTLDSetupDialog::CommitAndLoad()
{
    const int selected = SelectedRow();
    const int target = selected >= 0 ? selected : m_nCurrentRow;
    if (CTLDInfo* current = m_list.GetAt(m_nCurrentRow)) {
        StoreIfEdited(current->m_strTLD, m_pTLD->text());
        StoreIfEdited(current->m_strServer, m_pServer->text());
        StoreIfEdited(current->m_strRegistrarURL, m_pRegistrar->text());
        RefreshRow(m_nCurrentRow);
    }
    if (m_list.GetAt(target)) {
        LoadBoxes(target);
        m_nCurrentRow = target;
    }
}

void CTLDSetupDialog::ShowTableChanges(int countBefore)
{
    for (int index = 0; index < countBefore; ++index) {
        RefreshRow(index);
    }
    for (int index = countBefore; index < m_list.GetCount(); ++index) {
        AppendRow(index);
    }
    // The current entry may have had its server replaced under the boxes; showing it keeps the
    // next commit from writing the old server back.
    LoadBoxes(m_nCurrentRow);
    const int last = m_list.GetCount() - 1;
    if (last >= countBefore) {
        SelectRow(last);
        CommitAndLoad();
        m_pRows->scrollToItem(m_pRows->topLevelItem(last));
    }
}

void CTLDSetupDialog::OnAddNewTLD()
{
    CommitAndLoad();
    const int countBefore = m_list.GetCount();
    m_list.AddOrUpdateTLD(kNewTLD, kNewServer);
    ShowTableChanges(countBefore);
}

void CTLDSetupDialog::OnDelete()
{
    const int selected = SelectedRow();
    const int target = selected >= 0 ? selected : m_nCurrentRow;
    if (m_list.GetAt(target)) {
        m_bSelectingRow = true;
        m_list.RemoveAt(target);
        delete m_pRows->takeTopLevelItem(target);
        m_bSelectingRow = false;
    }
    m_nCurrentRow = std::min(m_nCurrentRow, m_list.GetCount() - 1);
    if (m_list.GetAt(m_nCurrentRow)) {
        SelectRow(m_nCurrentRow);
        // The deleted entry's values are still in the boxes: load the new row without a commit.
        m_nCurrentRow = -1;
        CommitAndLoad();
    }
    if (m_list.GetCount() == 0) {
        ClearBoxes();
    }
    RenumberRows();
}

void CTLDSetupDialog::OnImport()
{
    CImportServersDialog import(this);
    if (import.exec() != QDialog::Accepted || import.ImportedText().isEmpty()) {
        return;
    }
    CommitAndLoad();
    const int countBefore = m_list.GetCount();
    m_list.ImportTLDText(import.ImportedText());
    ShowTableChanges(countBefore);
}

void CTLDSetupDialog::OnReset()
{
    if (m_scheduler.IsBusy()) {
        CUserPrompt::Information(
            this, QStringLiteral("A connection to a WHOIS server is progress. The TLDs can not be "
                                 "reset now. Please attempt to do this after stopping all "
                                 "connections"));
        return;
    }
    if (CUserPrompt::Question(this, QStringLiteral("This will remove all TLDs added by you and "
                                                   "reset the list to the program defaults! Are "
                                                   "you sure?")) != QMessageBox::Yes) {
        return;
    }
    const CFileResult loaded = m_list.ResetTLDList();
    if (!loaded.Ok()) {
        CUserPrompt::Warning(this, loaded.Message());
    }
    done(Reopen);
}

void CTLDSetupDialog::OnHeaderClicked(int column)
{
    if (column == ColumnNumber) {
        return;
    }
    // What was typed into the boxes is kept rather than lost with the reopening.
    CommitAndLoad();
    m_list.SortTLDList(column == ColumnTLD ? CTLDList::ByTLDLength : CTLDList::ByServer);
    done(Reopen);
}

void RunSetupDomainsCommand(QWidget* parent, CTLDList& tlds, CLookupScheduler& scheduler)
{
    QByteArray geometry;
    int result = CTLDSetupDialog::Reopen;
    while (result == CTLDSetupDialog::Reopen) {
        CTLDSetupDialog dialog(tlds, scheduler, parent);
        if (!geometry.isEmpty()) {
            dialog.restoreGeometry(geometry);
        }
        result = dialog.exec();
        geometry = dialog.saveGeometry();
    }
    if (result != QDialog::Accepted) {
        return;
    }
    if (scheduler.IsBusy()) {
        CUserPrompt::Information(parent,
                                 QStringLiteral("A connection to the whois server is in progress.\n"
                                                "Changes in whois server (if any) will not take "
                                                "effect now"));
    } else {
        scheduler.GetResolver().ClearAllResults();
    }
}

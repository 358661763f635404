#include "names/NameCommands.h"

#include "core/DomainDoc.h"
#include "core/NameTokens.h"
#include "core/TLDList.h"
#include "names/AddNamesDialog.h"
#include "names/ConstructNamesDialog.h"
#include "names/NewListWizard.h"
#include "names/WaitCursor.h"

#include <QPointer>

void RunAddNamesCommand(QWidget* parent, CDomainDoc& doc)
{
    CAddNamesDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const CWaitCursor wait;
    AdmitNameTokens(doc, dialog.NameText(), TLDsForNewNames(g_TLDList));
    doc.UpdateAllViews(CDomainDoc::HintRebuild);
}

void RunConstructNamesCommand(QWidget* parent, CDomainDoc& doc)
{
    CConstructNamesDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const CWaitCursor wait;
    if (std::optional<CNameConstructor> names = dialog.TakeNames()) {
        AdmitConstructedNames(doc, *names);
    }
    doc.UpdateAllViews(CDomainDoc::HintRebuild);
}

bool CanRunNewListWizard(const CDomainDoc& doc)
{
    return doc.GetCount() == 0;
}

void RunNewListWizard(QWidget* parent, CDomainDoc& doc)
{
    if (!CanRunNewListWizard(doc)) {
        return;
    }
    CNewListWizard wizard(parent);
    if (wizard.exec() != QDialog::Accepted) {
        return;
    }
    void (*command)(QWidget*, CDomainDoc&) = nullptr;
    switch (wizard.GetChoice()) {
    case CNewListWizard::Choice::AddNames:
        command = &RunAddNamesCommand;
        break;
    case CNewListWizard::Choice::ConstructNames:
        command = &RunConstructNamesCommand;
        break;
    case CNewListWizard::Choice::None:
        return;
    }
    // Posted, so the chosen dialog opens after the wizard has gone, as a menu command would.
    QMetaObject::invokeMethod(
        &doc, [command, owner = QPointer<QWidget>(parent), &doc] { command(owner, doc); },
        Qt::QueuedConnection);
}

#include "names/NameCommands.h"

#include "core/DomainDoc.h"
#include "core/NameTokens.h"
#include "core/TLDList.h"
#include "names/AddNamesDialog.h"
#include "names/ConstructNamesDialog.h"
#include "names/NewListWizard.h"
#include "names/WaitCursor.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>

namespace {

constexpr int kProgressSteps = 1000;

// A run that outlasts its first step shows how far it got, keeps the window responding and can be
// cancelled; the names admitted until then stay.
void AdmitInSteps(QWidget* parent, CDomainDoc& doc, CNameConstructor& names)
{
    AdmitConstructionStep(doc, names);
    if (ConstructionIsOver(doc, names)) {
        return;
    }
    QProgressDialog progress(QStringLiteral("Constructing domain names..."),
                             QStringLiteral("Cancel"), 0, kProgressSteps, parent);
    progress.setWindowTitle(QStringLiteral("Construct Domain Names"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.show();
    while (!ConstructionIsOver(doc, names)) {
        progress.setValue(static_cast<int>(names.Position() * kProgressSteps / names.Count()));
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) {
            return;
        }
        AdmitConstructionStep(doc, names);
    }
}

} // namespace

void RunAddNamesCommand(QWidget* parent, CDomainDoc& doc)
{
    CAddNamesDialog dialog(doc.GetTLDList(), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const CWaitCursor wait;
    AdmitNameTokens(doc, dialog.NameText(), TLDsForNewNames(doc.GetTLDList()));
    doc.AnnounceAdmitted();
}

void RunConstructNamesCommand(QWidget* parent, CDomainDoc& doc)
{
    CConstructNamesDialog dialog(doc.GetTLDList(), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const CWaitCursor wait;
    if (std::optional<CNameConstructor> names = dialog.TakeNames()) {
        AdmitInSteps(parent, doc, *names);
    }
    doc.AnnounceAdmitted();
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

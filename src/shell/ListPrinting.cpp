#include "shell/ListPrinting.h"

#include "core/Settings.h"

#include <QPrintDialog>
#include <QPrinter>

namespace ListPrinting {

CListPrinter ListPrinterFor(const CDomainDoc& doc)
{
    return CListPrinter(doc, GetSetting(Setting::PrintLines), QDate::currentDate());
}

Outcome PrintThroughDialog(QPrinter& printer, const CDomainDoc& doc, const QString& title,
                           QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, ListPrinterFor(doc).PageCount(printer));
    if (dialog.exec() != QDialog::Accepted) {
        return Outcome::Cancelled;
    }
    return Print(printer, doc, title);
}

Outcome Print(QPrinter& printer, const CDomainDoc& doc, const QString& title)
{
    printer.setDocName(title);
    return ListPrinterFor(doc).Print(printer) ? Outcome::Printed : Outcome::Failed;
}

QString FailureText()
{
    return QStringLiteral("The printer could not be started.");
}

} // namespace ListPrinting

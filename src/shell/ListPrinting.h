#pragma once

#include "export/ListPrinter.h"

#include <QString>

class CDomainDoc;
class QPrinter;
class QWidget;

// Printing the whole list from the window's Print command and from a print request of the
// desktop: the print dialog, the document's name as the print job's (and a PDF's) title, and
// "Print Lines" per page.
namespace ListPrinting {

enum class Outcome { Printed, Cancelled, Failed };

// The list's pages with today's date and the "Print Lines" setting.
CListPrinter ListPrinterFor(const CDomainDoc& doc);

// Shows the print dialog for `printer` and prints the list when the user confirms.
Outcome PrintThroughDialog(QPrinter& printer, const CDomainDoc& doc, const QString& title,
                           QWidget* parent);
// Prints on a printer already chosen, such as a PDF file.
Outcome Print(QPrinter& printer, const CDomainDoc& doc, const QString& title);

// The warning shown when printing failed.
QString FailureText();

} // namespace ListPrinting

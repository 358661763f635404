#pragma once

#include <QString>

// "quillon --print FILE.zul": reads the document, prints its list through the print dialog and
// returns the program's exit code (0 printed or cancelled, 1 unreadable or failed). It opens no
// window and leaves a running instance alone.
//
// With QUILLON_PRINT_TO_FILE set to a path, the dialog is skipped and the list goes to that PDF
// file: tests print from a separate process that no one can click in.
int RunPrintRequest(const QString& file);

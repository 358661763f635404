#pragma once

#include <QObject>

#include <memory>

class CMainFrame;
class CExportFileChoice;
class QPrinter;

// The window's side of the text and database exports and of printing: the file and print
// dialogs and the messages; the writing and the page layout are the exporters'.
class CExportCommands final : public QObject {
    Q_OBJECT

public:
    explicit CExportCommands(CMainFrame& frame);
    ~CExportCommands() override;

    void ExportSelectedText();
    void ExportFreeText();
    void ExportDatabase();
    void Print();
    void PrintPreview();
    void PrintSetup();

private:
    // The chosen file, remembered for the next dialog of its kind; empty when cancelled.
    QString ChooseFile(const CExportFileChoice& choice);

    CMainFrame& m_frame;
    // Kept between commands, so the paper and printer chosen in Print Setup stay.
    std::unique_ptr<QPrinter> m_printer;
};

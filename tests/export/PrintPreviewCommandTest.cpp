#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "shell/MainFrame.h"
#include "shell/QuillonApp.h"
#include "view/UserPrompt.h"

#include "support/CleanProgram.h"
#include "support/PdfPageCount.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A control of Qt's print dialog by its object name.
template <class W>
W* Control(QPrintDialog& dialog, const char* name)
{
    W* control = dialog.findChild<W*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << "the print dialog has no " << name;
    return control;
}

// Print and Print Preview of the real window, with Qt's dialogs open as the user sees them.
class PrintPreviewCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetToCleanProgram();
        // Five entries, two to a page: three pages.
        SetSetting(Setting::PrintLines, 2);
        app = std::make_unique<CQuillonApp>();
        app->Start(QString());
        for (const char* name : {"alpha.com", "beta.com", "gamma.com", "delta.com", "omega.com"}) {
            ASSERT_TRUE(app->GetDocument().AdmitName(name));
        }
        app->GetFrame().UpdateCommandStates();
    }

    void TearDown() override { app.reset(); }

    // Prints only page `page` to a PDF file in the test's folder, choosing it in the print dialog.
    void PrintOnlyPage(int page)
    {
        const QString pdf = folder.filePath(QStringLiteral("list.pdf"));
        QTimer::singleShot(0, &app->GetFrame(), [pdf, page] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* file = Control<QLineEdit>(*dialog, "filename");
            auto* range = Control<QRadioButton>(*dialog, "printRange");
            auto* from = Control<QSpinBox>(*dialog, "from");
            auto* to = Control<QSpinBox>(*dialog, "to");
            if (!file || !range || !from || !to) {
                dialog->reject();
                return;
            }
            file->setText(pdf);
            range->setChecked(true);
            from->setValue(page);
            to->setValue(page);
            dialog->accept();
        });
        app->GetFrame().GetAction(Command::Print)->trigger();
        ASSERT_EQ(PdfFilePageCount(pdf), 1) << "the dialog chose the page";
    }

    // How many pages the preview shows; nothing when no preview opened.
    std::optional<int> PreviewedPages()
    {
        std::optional<int> pages;
        QTimer::singleShot(0, &app->GetFrame(), [&pages] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (const auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
                pages = preview->pageCount();
            }
            dialog->reject();
        });
        app->GetFrame().GetAction(Command::PrintPreview)->trigger();
        return pages;
    }

    QTemporaryDir folder;
    std::unique_ptr<CQuillonApp> app;
};

TEST_F(PrintPreviewCommandTest, PrintedPdfIsTitledWithTheDocumentsName)
{
    PrintOnlyPage(1);
    QFile untitled(folder.filePath(QStringLiteral("list.pdf")));
    ASSERT_TRUE(untitled.open(QIODevice::ReadOnly));
    EXPECT_EQ(PdfTitle(untitled.readAll()), QStringLiteral("Untitled"));

    ASSERT_TRUE(
        app->GetDocument().OnSaveDocument(folder.filePath(QStringLiteral("week.zul"))).Ok());
    PrintOnlyPage(1);
    QFile named(folder.filePath(QStringLiteral("list.pdf")));
    ASSERT_TRUE(named.open(QIODevice::ReadOnly));
    EXPECT_EQ(PdfTitle(named.readAll()), QStringLiteral("week.zul"));
}

TEST_F(PrintPreviewCommandTest, PreviewShowsEveryPage)
{
    EXPECT_EQ(PreviewedPages(), 3);
}

TEST_F(PrintPreviewCommandTest, PreviewAfterPrintingOnePageStillShowsEveryPage)
{
    PrintOnlyPage(2);
    EXPECT_EQ(PreviewedPages(), 3);
}

} // namespace

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "shell/MainFrame.h"
#include "shell/QuillonApp.h"
#include "shell/RegistrarURLDialog.h"
#include "view/DomainView.h"
#include "view/UserPrompt.h"

#include "support/CleanProgram.h"
#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "web/RecordingBrowser.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

// The format of the label of `window` that shows `text`; nothing when no label shows it.
std::optional<Qt::TextFormat> FormatOfLabelShowing(const QWidget& window, const QString& text)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return label->textFormat();
        }
    }
    return std::nullopt;
}

// Texts of names and records that the web commands show in the real window, with the message
// boxes and dialogs open as the user sees them.
class WebWindowTextsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetToCleanProgram();
        app = std::make_unique<CQuillonApp>();
        app->Start(QString());
        CUserPrompt::SetAutomatic(false);
    }

    void TearDown() override
    {
        app.reset();
        CUserPrompt::SetAutomatic(true);
    }

    // A highlighted entry whose name and record are set as a document would set them, unchecked.
    void Highlight(const char* name, std::uint8_t status, const char* record)
    {
        CDomainInfo& entry = AddStoredEntry(app->GetDocument(), name);
        entry.m_nStatus = status;
        entry.m_strInfo = record;
        app->GetDocument().AnnounceAdmitted();
        app->GetFrame().GetView().SelectRow(0);
        app->GetFrame().UpdateCommandStates();
    }

    std::unique_ptr<CQuillonApp> app;
    CRecordingBrowser browser;
};

TEST_F(WebWindowTextsTest, PaymentQuestionShowsTheRecordsMarkupAsText)
{
    Highlight("alpha.com", STATUS_TAKEN, "Registrar: X\r\nExpires: <b>2027-01-01</b>\r\n");
    std::optional<Qt::TextFormat> boxFormat;
    std::optional<Qt::TextFormat> labelFormat;
    QString shown;
    QTimer::singleShot(0, &app->GetFrame(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        boxFormat = box->textFormat();
        shown = box->text();
        labelFormat = FormatOfLabelShowing(*box, shown);
        box->button(QMessageBox::No)->click();
    });
    app->GetFrame().GetAction(Command::PaymentStatus)->trigger();

    EXPECT_EQ(boxFormat, Qt::PlainText);
    EXPECT_EQ(labelFormat, Qt::PlainText);
    EXPECT_TRUE(shown.startsWith(QStringLiteral(
        "As per the domain name records this domain expires: <b>2027-01-01</b>\n\nDo you want")))
        << shown.toStdString();
    EXPECT_TRUE(browser.Opened().isEmpty()) << "No keeps the page closed";
}

TEST_F(WebWindowTextsTest, RegistrarDialogHeadsWithTheNamesTLDAsText)
{
    Highlight("alpha.<b>x</b>", STATUS_AVAILABLE, "");
    std::optional<Qt::TextFormat> headingFormat;
    QTimer::singleShot(0, &app->GetFrame(), [&] {
        auto* dialog = qobject_cast<CRegistrarURLDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        headingFormat = FormatOfLabelShowing(*dialog, QStringLiteral("<B>X</B>"));
        dialog->reject();
    });
    Q_EMIT app->GetFrame().GetView().RegisterRequested();

    EXPECT_EQ(headingFormat, Qt::PlainText);
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST_F(WebWindowTextsTest, RefusedWebsiteIsExplainedInAMessageBox)
{
    Highlight("x.com@<b>evil</b>.example", STATUS_TAKEN, "");
    std::optional<Qt::TextFormat> labelFormat;
    QString shown;
    QTimer::singleShot(0, &app->GetFrame(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        labelFormat = FormatOfLabelShowing(*box, shown);
        box->button(QMessageBox::Ok)->click();
    });
    app->GetFrame().GetAction(Command::BrowseWebsite)->trigger();

    EXPECT_TRUE(shown.startsWith(QStringLiteral("\"x.com@<b>evil</b>.example\" is not a domain")))
        << shown.toStdString();
    EXPECT_EQ(labelFormat, Qt::PlainText);
    EXPECT_TRUE(browser.Opened().isEmpty());
}

} // namespace

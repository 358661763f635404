#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "view/BatchProgress.h"
#include "view/DomainRowDelegate.h"
#include "view/InfoPane.h"
#include "view/IntegerSpinEdit.h"
#include "view/ListCommands.h"
#include "view/SelectRangeDialog.h"
#include "view/UserPrompt.h"

#include "support/CaseName.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

namespace {

// Paints one cell of the model's row into an image, as the list would.
QImage PaintCell(const QStandardItemModel& model, int row, bool selected)
{
    QImage image(160, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
    option.palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    option.palette.setColor(QPalette::HighlightedText, Qt::white);
    CDomainRowDelegate delegate;
    delegate.paint(&painter, option, model.index(row, 0));
    return image;
}

bool HasPixel(const QImage& image, const std::function<bool(QColor)>& matches)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (matches(image.pixelColor(x, y))) {
                return true;
            }
        }
    }
    return false;
}

bool IsRed(QColor colour)
{
    return colour.red() > 200 && colour.green() < 80 && colour.blue() < 80;
}

TEST(DomainRowDelegate, AlternatingRowsAndARedAvailableEvenWhenSelected)
{
    QStandardItemModel model(2, 1);
    model.setData(model.index(0, 0), QStringLiteral("Not Available"));
    model.setData(model.index(1, 0), QStringLiteral("*AVAILABLE*"));
    const QImage plainEven = PaintCell(model, 0, false);
    EXPECT_EQ(plainEven.pixelColor(150, 2), QColor(240, 240, 220));
    EXPECT_FALSE(HasPixel(plainEven, IsRed));
    const QImage plainOdd = PaintCell(model, 1, false);
    EXPECT_EQ(plainOdd.pixelColor(150, 2), QColor(220, 240, 255));
    EXPECT_TRUE(HasPixel(plainOdd, IsRed));
    EXPECT_TRUE(HasPixel(PaintCell(model, 1, true), IsRed)) << "red on the selected row too";
    EXPECT_TRUE(CDomainRowDelegate::IsAvailableText(QStringLiteral("*available*")));
}

QPalette DarkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(36, 36, 36));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Highlight, QColor(21, 83, 158));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

QPalette LightPaletteWithMidBlueHighlight()
{
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

struct PaletteCase {
    const char* behaviour;
    QPalette (*palette)();
};

class RowColoursUnder : public testing::TestWithParam<PaletteCase> {};

TEST_P(RowColoursUnder, KeepTextAndTheRedVerdictReadableOnEveryRow)
{
    const QPalette palette = GetParam().palette();
    for (const bool selected : {false, true}) {
        for (const int row : {0, 1}) {
            const auto colours = CDomainRowDelegate::RowColours(row, selected, palette);
            const std::string where =
                std::string(selected ? "selected" : "plain") + " row " + std::to_string(row);
            if (!selected) { // a selected row's text is the desktop's own highlight text
                EXPECT_GE(CDomainRowDelegate::Contrast(colours.text, colours.background), 4.5)
                    << where;
            }
            EXPECT_GE(CDomainRowDelegate::Contrast(colours.available, colours.background),
                      CDomainRowDelegate::kLeastContrast)
                << where;
            EXPECT_GT(colours.available.red(),
                      std::max(colours.available.green(), colours.available.blue()) + 60)
                << where << ": still red";
        }
    }
    EXPECT_NE(CDomainRowDelegate::RowColours(0, false, palette).background,
              CDomainRowDelegate::RowColours(1, false, palette).background)
        << "rows alternate";
}

INSTANTIATE_TEST_SUITE_P(DomainRowDelegate, RowColoursUnder,
                         testing::Values(PaletteCase{"dark palette", DarkPalette},
                                         PaletteCase{"light palette with a mid blue highlight",
                                                     LightPaletteWithMidBlueHighlight}),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

struct ProgressCase {
    const char* behaviour;
    int checked;
    int total;
    int available;
    std::optional<std::chrono::seconds> left;
    const char* text;
    CDnsTally dns{};
};

class BatchProgressLine : public testing::TestWithParam<ProgressCase> {};

TEST_P(BatchProgressLine, SaysHowFarTheBatchHasGone)
{
    const ProgressCase& c = GetParam();
    EXPECT_EQ(BatchProgressText({c.checked, c.total, c.available, c.left, std::nullopt, c.dns}),
              QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    BatchProgress, BatchProgressLine,
    testing::Values(ProgressCase{"before the first result", 0, 312, 0, std::nullopt,
                                 "checked 0 of 312, 0 available"},
                    ProgressCase{"under a minute", 300, 312, 9, std::chrono::seconds(59),
                                 "checked 300 of 312, 9 available, less than a minute left"},
                    ProgressCase{"minutes round up", 10, 312, 1, std::chrono::seconds(61),
                                 "checked 10 of 312, 1 available, about 2 min left"},
                    ProgressCase{"hours and minutes", 1, 64000, 0,
                                 std::chrono::seconds(2 * 3600 + 5 * 60),
                                 "checked 1 of 64000, 0 available, about 2 h 5 min left"},
                    ProgressCase{"DNS settled part of the batch",
                                 300,
                                 1000,
                                 9,
                                 std::chrono::seconds(59),
                                 "checked 300 of 1000, 9 available, 240 settled by DNS, 240 of "
                                 "300 registry queries saved, less than a minute left",
                                 {240, 60}},
                    ProgressCase{"DNS asked but settled nothing",
                                 2,
                                 10,
                                 2,
                                 std::nullopt,
                                 "checked 2 of 10, 2 available, 0 settled by DNS, 0 of 2 registry "
                                 "queries saved",
                                 {0, 2}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(BatchProgress, TimeLeftFollowsThePaceSoFar)
{
    using std::chrono::milliseconds;
    using std::chrono::seconds;
    EXPECT_EQ(EstimateTimeLeft(milliseconds(50000), 5, 10), seconds(50));
    EXPECT_EQ(EstimateTimeLeft(milliseconds(3000), 1, 101), seconds(300));
    EXPECT_EQ(EstimateTimeLeft(milliseconds(9000), 10, 10), seconds(0)) << "all checked";
    EXPECT_EQ(EstimateTimeLeft(milliseconds(9000), 0, 10), std::nullopt) << "no pace yet";
}

TEST(InfoPane, RecordOpensAtTheLaterOfTheTwoTermsPhrases)
{
    const QString text =
        QStringLiteral("one\ntwo you agree to these terms\nthree\nfour you agree to "
                       "abide by this policy\nfive");
    EXPECT_EQ(CInfoPane::TermsLine(text), 3);
    EXPECT_EQ(CInfoPane::TermsLine(QStringLiteral("no terms here")), 0);
    EXPECT_EQ(CInfoPane::TermsLine(QStringLiteral("a\nYou Agree To These Terms")), 0)
        << "the phrases are searched with their case";
}

TEST(InfoPane, CleanedLineEndsShowAsPlainLines)
{
    CInfoPane pane;
    pane.ShowRecord("Domain: A\r\r\nStatus: ok\r\n");
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("Domain: A\nStatus: ok\n"));
}

class ListCommandsLogic : public testing::Test {
protected:
    void SetUp() override
    {
        tlds.ClearTLDList();
        tlds.FillDefaults();
        for (const char* name :
             {"shopping.com", "shop.com", "myshop.com", "d.com", "e.com", "f.com"}) {
            doc.AdmitName(name);
        }
    }

    std::vector<int> Ticks() const
    {
        std::vector<int> ticks;
        for (const auto& entry : doc.GetEntries()) {
            ticks.push_back(entry->m_bTicked);
        }
        return ticks;
    }

    CTLDList tlds;

    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
};

TEST_F(ListCommandsLogic, FindPrefersTheExactNameThenTheFirstPrefix)
{
    EXPECT_EQ(CListCommands::FindEntry(doc, "SHOP.COM"), 1);
    EXPECT_EQ(CListCommands::FindEntry(doc, "shop"), 0);
    EXPECT_EQ(CListCommands::FindEntry(doc, "hop"), -1) << "inside a name is not found";
    EXPECT_EQ(CListCommands::FindEntry(doc, ""), 0) << "an empty text finds the first entry";
}

TEST_F(ListCommandsLogic, FindTakesEitherFormOfANameInAnotherScript)
{
    for (const char* name : {"xn--mnchen-3ya.com", "m\xc3\xbcnster.com", "caf\xc3\xa9.com"}) {
        ASSERT_TRUE(doc.AdmitName(name));
    }
    const struct {
        QByteArray text;
        int found;
    } cases[] = {
        {"M\xc3\x9cNCHEN.COM", 6},
        {"xn--mnchen-3ya.com", 6},
        {"XN--MNSTER-3YA.COM", 7},
        {"m\xc3\xbcn", 6},
        {"M\xc3\x9cNS", 7},
        {"m\x75\xcc\x88nster", 7},
        {"caf", 8},
        {"xn--caf", 8},
        {"caf\xc3\xa9x", -1},
        {"\xf0\x9f\x98\x80", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CListCommands::FindEntry(doc, c.text), c.found) << c.text.constData();
    }
}

TEST_F(ListCommandsLogic, RangeGivenBackwardsTicksTheSameRows)
{
    doc.SetTicked(5, true);
    doc.TickRange(5, 2, false);
    EXPECT_EQ(Ticks(), (std::vector<int>{0, 1, 1, 1, 1, 1})) << "ticks outside stay as they were";
    doc.TickRange(1, 2, true);
    EXPECT_EQ(Ticks(), (std::vector<int>{1, 1, 0, 0, 0, 0}));
}

TEST(SelectRangeDialog, BoxWithoutANumberIsRefused)
{
    CTestEnvironment::Instance().Reset();
    CUserPrompt::Reset();
    CUserPrompt::SetAutomatic(true);
    SetSetting(Setting::RangeFrom, 4);
    CSelectRangeDialog dialog;
    EXPECT_EQ(dialog.GetFrom(), 4) << "starts with the last values used";
    dialog.GetToBox().findChild<QLineEdit*>()->clear();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "the dialog stays open";
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{QStringLiteral("Please enter an integer.")});
    dialog.GetToBox().SetValue(9);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(SelectRangeDialog, TypedNumbersBeyondTheArrowsAreTaken)
{
    CTestEnvironment::Instance().Reset();
    CSelectRangeDialog dialog;
    dialog.GetFromBox().findChild<QLineEdit*>()->clear();
    QTest::keyClicks(&dialog.GetFromBox(), QStringLiteral("-3"));
    dialog.GetToBox().findChild<QLineEdit*>()->clear();
    QTest::keyClicks(&dialog.GetToBox(), QStringLiteral("64000"));
    EXPECT_EQ(dialog.GetFrom(), -3);
    EXPECT_EQ(dialog.GetTo(), 64000);
}

// How an open message box showed its text.
struct CShownBox {
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    // The format of the label that shows the text; nothing when no label shows it.
    std::optional<Qt::TextFormat> labelFormat;
};

// Reads the next message box once it is open, then closes it with `answer`. A box that never
// opens leaves `shown` empty.
void ReadNextBox(std::optional<CShownBox>& shown, QMessageBox::StandardButton answer)
{
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QStringLiteral("boxWatch"));
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, &shown, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        shown = CShownBox{box->textFormat(), box->text(), std::nullopt};
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == box->text()) {
                shown->labelFormat = label->textFormat();
            }
        }
        if (QAbstractButton* button = box->button(answer)) {
            button->click();
        } else {
            box->reject();
        }
    });
    timer->start();
}

// The prompts as the user sees them: real message boxes, no queued answers.
class UserPromptBoxes : public testing::Test {
protected:
    void SetUp() override { CUserPrompt::Reset(); }
    void TearDown() override
    {
        for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("boxWatch"))) {
            delete timer;
        }
        CUserPrompt::SetAutomatic(true);
    }

    void ExpectShownAsTyped(const std::optional<CShownBox>& shown, const QString& typed)
    {
        ASSERT_TRUE(shown.has_value()) << "no message box opened";
        EXPECT_EQ(shown->format, Qt::PlainText);
        EXPECT_EQ(shown->text, typed);
        EXPECT_EQ(shown->labelFormat, Qt::PlainText) << "the label shows the markup as text";
    }

    std::optional<CShownBox> shown;
};

TEST_F(UserPromptBoxes, QuestionQuotingARecordShowsItsMarkupAndLineBreaks)
{
    ReadNextBox(shown, QMessageBox::No);
    const QMessageBox::StandardButton answer = CUserPrompt::Question(
        nullptr,
        QStringLiteral("As per the domain name records this domain expires <b>2027</b>\r\n\r\n"
                       "Do you want to try the payment status?"),
        QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(answer, QMessageBox::No);
    ExpectShownAsTyped(shown, QStringLiteral("As per the domain name records this domain expires "
                                             "<b>2027</b>\n\nDo you want to try the payment "
                                             "status?"));
}

TEST_F(UserPromptBoxes, QuestionGivesTheButtonClicked)
{
    ReadNextBox(shown, QMessageBox::Yes);
    EXPECT_EQ(CUserPrompt::Question(nullptr, QStringLiteral("Save changes to <i>list</i>?")),
              QMessageBox::Yes);
    ExpectShownAsTyped(shown, QStringLiteral("Save changes to <i>list</i>?"));
}

TEST_F(UserPromptBoxes, InformationAndWarningShowMarkupAsTyped)
{
    ReadNextBox(shown, QMessageBox::Ok);
    CUserPrompt::Information(nullptr, QStringLiteral("Registrar: <b>x</b>\r\nDone."));
    ExpectShownAsTyped(shown, QStringLiteral("Registrar: <b>x</b>\nDone."));

    shown.reset();
    ReadNextBox(shown, QMessageBox::Ok);
    CUserPrompt::Warning(nullptr, QStringLiteral("<a href=\"x\">x.com</a> could not be saved."));
    ExpectShownAsTyped(shown, QStringLiteral("<a href=\"x\">x.com</a> could not be saved."));
}

} // namespace

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "view/DomainRowDelegate.h"
#include "view/InfoPane.h"
#include "view/ListCommands.h"
#include "view/SelectRangeDialog.h"
#include "view/UserPrompt.h"

#include "support/TestEnvironment.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QStandardItemModel>

#include <functional>

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
        g_TLDList.ClearTLDList();
        g_TLDList.FillDefaults();
        for (const char* name :
             {"shopping.com", "shop.com", "myshop.com", "d.com", "e.com", "f.com"}) {
            doc.AdmitName(name);
        }
    }

    std::vector<int> Ticks() const
    {
        std::vector<int> ticks;
        for (const auto& entry : doc.GetEntries()) {
            ticks.push_back(entry->m_bSelected);
        }
        return ticks;
    }

    CDomainDoc doc{[](CDomainInfo&) {
    }};
};

TEST_F(ListCommandsLogic, FindPrefersTheExactNameThenTheFirstPrefix)
{
    EXPECT_EQ(CListCommands::FindEntry(doc, "SHOP.COM"), 1);
    EXPECT_EQ(CListCommands::FindEntry(doc, "shop"), 0);
    EXPECT_EQ(CListCommands::FindEntry(doc, "hop"), -1) << "inside a name is not found";
    EXPECT_EQ(CListCommands::FindEntry(doc, ""), 0) << "an empty text finds the first entry";
}

TEST_F(ListCommandsLogic, RangeGivenBackwardsTicksTheSameRows)
{
    doc.GetAt(5)->m_bSelected = 1;
    CListCommands::TickRange(doc, 5, 2, false);
    EXPECT_EQ(Ticks(), (std::vector<int>{0, 1, 1, 1, 1, 1})) << "ticks outside stay as they were";
    CListCommands::TickRange(doc, 1, 2, true);
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
    dialog.GetToBox().setValue(9);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace

#include "export/PrintLayout.h"
#include "export/ListPrinter.h"
#include "export/PrintPages.h"

#include "export/ExportTestDoc.h"
#include "export/RecordingPaintDevice.h"
#include "support/CaseName.h"
#include "support/PdfPageCount.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// ---- Which entries go on which page ----

struct PagesCase {
    const char* behaviour;
    int entries;
    int printLines;
    int rowsThatFit;
    std::vector<std::pair<int, int>> pages; // each page's first entry and one past its last
};

void PrintTo(const PagesCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

const PagesCase kPagesCases[] = {
    {"empty list has one page without rows", 0, 30, 40, {{0, 0}}},
    {"a list that fills its pages exactly gets one more without rows",
     30,
     30,
     40,
     {{0, 30}, {30, 30}}},
    {"one entry more than a page spills onto page two", 31, 30, 40, {{0, 30}, {30, 31}}},
    {"print lines below one count as one", 3, 0, 40, {{0, 1}, {1, 2}, {2, 3}, {3, 3}}},
    {"negative print lines count as one", 2, -5, 40, {{0, 1}, {1, 2}, {2, 2}}},
    {"rows that do not fit carry over to the next page", 25, 30, 10, {{0, 10}, {10, 20}, {20, 25}}},
    {"paper that fits no row still takes one per page", 2, 30, 0, {{0, 1}, {1, 2}, {2, 2}}},
    {"fewer print lines than fit leave the rest of the paper empty",
     7,
     3,
     40,
     {{0, 3}, {3, 6}, {6, 7}}},
};

class PrintPagesCase : public testing::TestWithParam<PagesCase> {};

TEST_P(PrintPagesCase, AssignsTheEntriesToPages)
{
    const PagesCase& c = GetParam();
    const CPrintPages pages(c.entries, c.printLines, c.rowsThatFit);

    std::vector<std::pair<int, int>> actual;
    for (int page = 1; page <= pages.PageCount(); ++page) {
        actual.emplace_back(pages.RowsOfPage(page).first, pages.RowsOfPage(page).end);
    }
    EXPECT_EQ(actual, c.pages);
}

INSTANTIATE_TEST_SUITE_P(Pages, PrintPagesCase, testing::ValuesIn(kPagesCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(PrintPages, EveryEntryIsPrintedOnceInOrderWhateverTheLinesAndPaper)
{
    for (int entries = 0; entries <= 130; ++entries) {
        for (int printLines = -2; printLines <= 65; ++printLines) {
            for (int rowsThatFit = 0; rowsThatFit <= 45; ++rowsThatFit) {
                const CPrintPages pages(entries, printLines, rowsThatFit);
                const int perPage = std::max(1, std::min(printLines, rowsThatFit));
                ASSERT_EQ(pages.PageCount(), entries / perPage + 1)
                    << entries << " entries, " << printLines << " lines, " << rowsThatFit;
                int next = 0;
                for (int page = 1; page <= pages.PageCount(); ++page) {
                    const CPrintPages::Range rows = pages.RowsOfPage(page);
                    ASSERT_EQ(rows.first, next) << "page " << page << " continues the list";
                    ASSERT_LE(rows.end - rows.first, perPage);
                    ASSERT_TRUE(page == pages.PageCount() || rows.end - rows.first == perPage)
                        << "only the last page is short";
                    next = rows.end;
                }
                ASSERT_EQ(next, entries) << "the pages end with the last entry";
            }
        }
    }
}

TEST(PrintPages, PagesOutsideTheDocumentHoldNothing)
{
    const CPrintPages pages(10, 4, 40);
    EXPECT_TRUE(pages.RowsOfPage(0).IsEmpty());
    EXPECT_TRUE(pages.RowsOfPage(-1).IsEmpty());
    EXPECT_TRUE(pages.RowsOfPage(pages.PageCount() + 1).IsEmpty());
}

// ---- The painted page ----

// US Letter at 300 dots per inch: 12240 by 15840 twips.
constexpr int kDpi = 300;
constexpr int kLetterWidth = 2550;
constexpr int kLetterHeight = 3300;
constexpr int kWidthTwips = 12240;
constexpr int kLeft = 1080;
constexpr int kRight = kWidthTwips - 720;
constexpr int kStatusColumn = 1080 + (kWidthTwips - 1800) / 3;
const QDate kToday(2026, 12, 7);

QString Name(int number)
{
    return QStringLiteral("name%1.com").arg(number);
}

std::unique_ptr<ExportTestDoc::CTestDoc> ListOf(int count)
{
    auto doc = ExportTestDoc::Make();
    for (int i = 1; i <= count; ++i) {
        ExportTestDoc::Add(*doc, Name(i).toLatin1(), STATUS_UNKNOWN, false);
    }
    return doc;
}

// Paints the list page by page; returns the number of pages painted.
int PaintList(const CDomainDoc& doc, int printLines, CRecordingPaintDevice& device,
              const QPageRanges& ranges = {})
{
    QPainter painter(&device);
    return CListPrinter(doc, printLines, kToday).Paint(painter, ranges, [&] { device.NewPage(); });
}

// The twips the painter was scaled to, back from the device's pixels.
double Twips(double pixels)
{
    return pixels * 1440.0 / kDpi;
}

double LeftOf(const CRecordingPaintDevice::Text& text)
{
    return text.baseline.x();
}

double RightOf(const CRecordingPaintDevice& device, const CRecordingPaintDevice::Text& text)
{
    return text.baseline.x() + QFontMetricsF(text.font, &device).horizontalAdvance(text.text);
}

double TopOf(const CRecordingPaintDevice& device, const CRecordingPaintDevice::Text& text)
{
    return text.baseline.y() - QFontMetricsF(text.font, &device).ascent();
}

int CellHeight(const CRecordingPaintDevice& device, const CRecordingPaintDevice::Text& text)
{
    return QFontMetrics(text.font, &device).height();
}

// The numbers of the rows on a page, read from the "%d] %s" texts.
std::vector<int> RowNumbersOnPage(const CRecordingPaintDevice& device, int page)
{
    std::vector<int> numbers;
    static const QRegularExpression row(QStringLiteral("^(\\d+)\\] "));
    for (const auto& text : device.TextsOnPage(page)) {
        if (const auto match = row.match(text.text); match.hasMatch()) {
            numbers.push_back(match.captured(1).toInt());
        }
    }
    return numbers;
}

std::vector<int> Numbers(int first, int last)
{
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

class PaintedPage : public testing::Test {
protected:
    void SetUp() override
    {
        doc = ExportTestDoc::Make();
        CDomainInfo& taken = ExportTestDoc::Add(*doc, "alpha.com", STATUS_TAKEN, true);
        taken.m_strDNS = "192.0.2.1";
        taken.m_timeChecked = ExportTestDoc::At(2026, 12, 7, 21, 55, 28);
        ExportTestDoc::Add(*doc, "beta.net", STATUS_TAKEN, false);
        ExportTestDoc::Add(*doc, "caf\xc3\xa9.de", STATUS_AVAILABLE, false);
        ExportTestDoc::Add(*doc, "delta.org", STATUS_ERROR_3, false);
        ExportTestDoc::Add(*doc, "eps.com", STATUS_TOO_MANY_ERRORS, false);
        ExportTestDoc::Add(*doc, "zeta.com", STATUS_CHECKING, false);
        ExportTestDoc::Add(*doc, "eta.com", STATUS_UNKNOWN, false);
        ExportTestDoc::Add(*doc, "xn--mnchen-3ya.de", STATUS_TAKEN, false).m_strDNS = "192.0.2.8";
        ASSERT_EQ(PaintList(*doc, 30, device), 1);
    }

    const CRecordingPaintDevice::Text& Text(const QString& text) const
    {
        const CRecordingPaintDevice::Text* found = device.Find(1, text);
        static const CRecordingPaintDevice::Text missing{0, {}, {}, {}};
        EXPECT_NE(found, nullptr) << "\"" << text.toStdString() << "\" is not on the page";
        return found ? *found : missing;
    }

    std::unique_ptr<ExportTestDoc::CTestDoc> doc;
    CRecordingPaintDevice device{kLetterWidth, kLetterHeight, kDpi};
};

TEST_F(PaintedPage, HeaderShowsTheProductLineAndTheDateAboveARule)
{
    const auto& title = Text(QStringLiteral("Quillon from Tavrel Technologies"));
    const auto& date = Text(QStringLiteral("Monday, December 07, 2026"));
    const int h = CellHeight(device, title);
    EXPECT_NEAR(h, 200, 4) << "header font of height 200";
    EXPECT_EQ(title.font.weight(), QFont::Normal);
    EXPECT_EQ(LeftOf(title), kLeft);
    EXPECT_NEAR(TopOf(device, title), 1080 - 2 * h, 1);
    EXPECT_NEAR(RightOf(device, date), kRight, 1);
    EXPECT_NEAR(TopOf(device, date), 1080 - 2 * h, 1);

    const auto lines = device.LinesOnPage(1);
    ASSERT_EQ(lines.size(), 2u) << "a rule under the header and one over the footer";
    EXPECT_EQ(lines[0].line, QLineF(kLeft, 1080 - h, kRight, 1080 - h));
    EXPECT_EQ(lines[0].width, 1440.0 / kDpi) << "two twips, but at least one dot";
}

TEST_F(PaintedPage, HeadingsNameTheThreeColumns)
{
    const auto& names = Text(QStringLiteral("Domain Names"));
    const auto& status = Text(QStringLiteral("Status"));
    const auto& checkedOn = Text(QStringLiteral("Checked On"));
    const int g = CellHeight(device, names);
    EXPECT_NEAR(g, 340, 4) << "heading font of height 340";
    EXPECT_EQ(names.font.weight(), QFont::ExtraBold);
    EXPECT_EQ(LeftOf(names), kLeft);
    EXPECT_EQ(LeftOf(status), kStatusColumn);
    EXPECT_NEAR(RightOf(device, checkedOn), kRight, 1);
    for (const auto* heading : {&names, &status, &checkedOn}) {
        EXPECT_NEAR(TopOf(device, *heading), 1080 + g, 1);
    }
}

TEST_F(PaintedPage, RowsShowNumberNameStatusAndTimeOfLookup)
{
    struct Row {
        const char* number;
        const char* status;
    };
    QByteArray lookedUp;
    doc->doc.GetFieldText(0, 3, lookedUp);
    const Row rows[] = {
        {"1] alpha.com", "Taken [DNS: 192.0.2.1]"},
        {"2] beta.net", "Taken"},
        {"3] caf\xc3\xa9.de", "*AVAILABLE*"},
        {"4] delta.org", "Error"},
        {"5] eps.com", "Too many errors"},
        {"6] zeta.com", "Checking"},
        {"7] eta.com", "Unknown"},
        {"8] m\xc3\xbcnchen.de (xn--mnchen-3ya.de)", "Taken [DNS: 192.0.2.8]"},
    };
    const auto& heading = Text(QStringLiteral("Domain Names"));
    const auto& first = Text(QString::fromUtf8(rows[0].number));
    const int g = CellHeight(device, heading);
    const int r = CellHeight(device, first);
    EXPECT_NEAR(r, 240, 4) << "row font of height 240";
    EXPECT_NEAR(TopOf(device, first), TopOf(device, heading) + 2 * g, 1);

    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].number);
        const auto& number = Text(QString::fromUtf8(rows[i].number));
        const auto& status = Text(QString::fromUtf8(rows[i].status));
        EXPECT_EQ(LeftOf(number), kLeft);
        EXPECT_EQ(LeftOf(status), kStatusColumn);
        EXPECT_NEAR(TopOf(device, number), TopOf(device, first) + double(i) * (3 * r / 2), 1);
        EXPECT_EQ(status.baseline.y(), number.baseline.y());
    }
    const auto& time = Text(QString::fromUtf8(lookedUp));
    EXPECT_NEAR(RightOf(device, time), kRight, 1);
    EXPECT_EQ(time.baseline.y(), Text(QStringLiteral("1] alpha.com")).baseline.y());
    const auto texts = device.TextsOnPage(1);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const auto& t) { return t.text == QLatin1String("-"); }),
              7)
        << "entries never looked up show \"-\"";
}

TEST_F(PaintedPage, FooterCentresTheNoticeAndNumbersThePageBelowARule)
{
    const auto& notice = Text(CPrintLayout::Notice());
    const auto& page = Text(QStringLiteral("Page-1"));
    const int n = CellHeight(device, notice);
    const double height = Twips(kLetterHeight);
    EXPECT_NEAR(LeftOf(notice),
                kLeft + (kRight - kLeft - (RightOf(device, notice) - LeftOf(notice))) / 2, 1);
    EXPECT_NEAR(TopOf(device, notice), height - 720 + 2 * n, 1);
    EXPECT_NEAR(RightOf(device, page), kRight, 1);
    EXPECT_EQ(page.baseline.y(), notice.baseline.y());

    const auto lines = device.LinesOnPage(1);
    ASSERT_EQ(lines.size(), 2u);
    const double ruleY = height - 720 + 2 * n - n / 10;
    EXPECT_EQ(lines[1].line, QLineF(kLeft, ruleY, kRight, ruleY));
    EXPECT_EQ(lines[1].width, 1440.0 / kDpi);
}

TEST(PaintedList, EmptyListPrintsOnePageWithHeaderHeadingsAndFooterOnly)
{
    const auto doc = ListOf(0);
    CRecordingPaintDevice device(kLetterWidth, kLetterHeight, kDpi);

    EXPECT_EQ(PaintList(*doc, 30, device), 1);

    QStringList texts;
    for (const auto& text : device.Texts()) {
        texts.append(text.text);
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Quillon from Tavrel Technologies"),
                                  QStringLiteral("Monday, December 07, 2026"),
                                  QStringLiteral("Domain Names"), QStringLiteral("Status"),
                                  QStringLiteral("Checked On"), CPrintLayout::Notice(),
                                  QStringLiteral("Page-1")}));
    EXPECT_EQ(device.PagesStarted(), 1);
}

TEST(PaintedList, ThirtyEntriesWithThirtyLinesTakeTwoPagesTheSecondWithoutRows)
{
    const auto doc = ListOf(30);
    CRecordingPaintDevice device(kLetterWidth, kLetterHeight, kDpi);

    EXPECT_EQ(PaintList(*doc, 30, device), 2);

    EXPECT_EQ(RowNumbersOnPage(device, 1), Numbers(1, 30));
    EXPECT_EQ(RowNumbersOnPage(device, 2), std::vector<int>{});
    EXPECT_NE(device.Find(2, QStringLiteral("Page-2")), nullptr);
    EXPECT_NE(device.Find(2, QStringLiteral("Checked On")), nullptr);
}

TEST(PaintedList, RowsThatDoNotFitCarryOverToTheNextPage)
{
    // A short sheet, 4.5 inches high, has room for fewer rows than "Print Lines" asks for.
    CRecordingPaintDevice device(kLetterWidth, 1350, kDpi);
    const int fit = CPrintLayout(device).RowsThatFit();
    ASSERT_GT(fit, 3);
    ASSERT_LT(fit, 30);
    const auto doc = ListOf(2 * fit + 3);

    EXPECT_EQ(PaintList(*doc, 30, device), 3);

    EXPECT_EQ(RowNumbersOnPage(device, 1), Numbers(1, fit));
    EXPECT_EQ(RowNumbersOnPage(device, 2), Numbers(fit + 1, 2 * fit));
    EXPECT_EQ(RowNumbersOnPage(device, 3), Numbers(2 * fit + 1, 2 * fit + 3));
    for (int page = 1; page <= 3; ++page) {
        const double footerRule = device.LinesOnPage(page).at(1).line.y1();
        for (const auto& text : device.TextsOnPage(page)) {
            if (text.text.contains(QLatin1String("] "))) {
                EXPECT_LT(text.baseline.y() + QFontMetricsF(text.font, &device).descent(),
                          footerRule)
                    << text.text.toStdString() << " runs into the footer";
            }
        }
    }
}

TEST(PaintedList, RulesAreTwoTwipsWideWhereADotIsFiner)
{
    const auto doc = ListOf(1);
    CRecordingPaintDevice device(8.5 * 2400, 11 * 2400, 2400);

    PaintList(*doc, 30, device);

    ASSERT_EQ(device.Lines().size(), 2u);
    EXPECT_EQ(device.Lines()[0].width, 2);
    EXPECT_EQ(device.Lines()[1].width, 2);
}

TEST(PaintedList, PageRangesPrintOnlyTheirPages)
{
    const auto doc = ListOf(65);
    CRecordingPaintDevice second(kLetterWidth, kLetterHeight, kDpi);
    QPageRanges pageTwo;
    pageTwo.addPage(2);

    EXPECT_EQ(PaintList(*doc, 30, second, pageTwo), 1);
    EXPECT_EQ(RowNumbersOnPage(second, 1), Numbers(31, 60));
    EXPECT_NE(second.Find(1, QStringLiteral("Page-2")), nullptr);
    EXPECT_EQ(second.PagesStarted(), 1);

    CRecordingPaintDevice beyond(kLetterWidth, kLetterHeight, kDpi);
    QPageRanges pageSeven;
    pageSeven.addPage(7);
    EXPECT_EQ(PaintList(*doc, 30, beyond, pageSeven), 0);
    EXPECT_TRUE(beyond.Texts().empty());
}

// ---- Printing to a PDF file ----

struct PdfCase {
    const char* behaviour;
    int entries;
    int printLines;
    int pages;
};

void PrintTo(const PdfCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

const PdfCase kPdfCases[] = {
    {"empty list prints one page", 0, 30, 1},
    {"thirty entries with thirty lines print two pages", 30, 30, 2},
    {"sixty-five entries with thirty lines print three pages", 65, 30, 3},
    {"print lines of zero print one entry a page", 3, 0, 4},
};

class PdfPrint : public testing::TestWithParam<PdfCase> {};

TEST_P(PdfPrint, WritesThePages)
{
    const PdfCase& c = GetParam();
    const auto doc = ListOf(c.entries);
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);

    const std::optional<int> printed = CListPrinter(*doc, c.printLines, kToday).Print(writer);

    EXPECT_EQ(printed, c.pages);
    EXPECT_EQ(PdfPageCount(buffer.data()), c.pages);
}

INSTANTIATE_TEST_SUITE_P(Pdf, PdfPrint, testing::ValuesIn(kPdfCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(PdfPrintOut, MoreLinesThanFitOnTheSheetCarryTheRestOver)
{
    const auto doc = ListOf(100);
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    const int fit = CPrintLayout(writer).RowsThatFit();
    ASSERT_LT(fit, 60) << "sixty rows do not fit on A4";

    const CListPrinter printer(*doc, 60, kToday);
    EXPECT_EQ(printer.PageCount(writer), 100 / fit + 1);
    EXPECT_EQ(printer.Print(writer), 100 / fit + 1);
    EXPECT_EQ(PdfPageCount(buffer.data()), 100 / fit + 1);
}

TEST(PdfPrintOut, PrintsOnlyThePagesInTheWritersRanges)
{
    const auto doc = ListOf(65);
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    QPageRanges ranges;
    ranges.addRange(2, 9);
    writer.setPageRanges(ranges);

    EXPECT_EQ(CListPrinter(*doc, 30, kToday).Print(writer), 2) << "pages 2 and 3 of 3";
    EXPECT_EQ(PdfPageCount(buffer.data()), 2);
}

TEST(PdfPrintOut, DeviceThatWillNotStartPrintsNothing)
{
    const auto doc = ListOf(3);
    QTemporaryDir folder;
    QPdfWriter writer(folder.filePath(QStringLiteral("missing/list.pdf")));

    EXPECT_EQ(CListPrinter(*doc, 30, kToday).Print(writer), std::nullopt);
}

// ---- Pixels ----

TEST(RenderedPage, InkStaysWithinTheTextColumnAndAboveTheFooterEdge)
{
    const auto doc = ListOf(12);
    constexpr int kImageDpi = 96;
    const int dotsPerMetre = qRound(kImageDpi / 0.0254);
    QImage image(816, 1056, QImage::Format_RGB32); // Letter at 96 dots per inch
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ASSERT_EQ(CListPrinter(*doc, 30, kToday).Paint(painter, {}, [] {}), 1);
    }
    const auto pixels = [](int twips) {
        return twips * kImageDpi / 1440;
    };
    const auto inkInRows = [&](int top, int bottom, int left, int right) {
        for (int y = std::max(0, top); y < std::min(image.height(), bottom); ++y) {
            for (int x = std::max(0, left); x < std::min(image.width(), right); ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    return true;
                }
            }
        }
        return false;
    };
    const CPrintLayout layout(image);
    // Between the product line and the date only the rule under the header has ink.
    const int headerHeight = (1080 - layout.HeaderTop()) / 2;
    const int headerRule = pixels(1080 - headerHeight);
    EXPECT_TRUE(inkInRows(headerRule - 2, headerRule + 3, pixels(5000), pixels(7000)));
    EXPECT_FALSE(inkInRows(pixels(layout.HeaderTop()), headerRule - 2, pixels(5000), pixels(7000)));
    EXPECT_TRUE(inkInRows(pixels(layout.FirstRowTop()), pixels(layout.FirstRowTop() + 240),
                          pixels(kLeft), pixels(kLeft + 300)))
        << "the first row's number";
    EXPECT_FALSE(inkInRows(0, image.height(), 0, pixels(kLeft) - 1)) << "left of the column";
    EXPECT_FALSE(inkInRows(0, image.height(), pixels(kRight) + 2, image.width()))
        << "right of the column";
    EXPECT_FALSE(inkInRows(pixels(layout.FirstRowTop() + 12 * layout.RowStep()),
                           pixels(layout.FooterTop()) - 3, 0, image.width()))
        << "between the last row and the footer";
}

} // namespace

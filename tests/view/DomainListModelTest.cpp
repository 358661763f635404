#include "view/DomainListModel.h"
#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <memory>

#include "support/StoredEntry.h"

#include <gtest/gtest.h>

namespace {

class DomainListModelTest : public testing::Test {
protected:
    void SetUp() override
    {
        tlds.ClearTLDList();
        tlds.FillDefaults();
        for (const char* name : {"a.com", "b.com", "c.com"}) {
            doc.AdmitName(name);
        }
        doc.AnnounceAdmitted();
    }

    QString Text(int row, int column) const { return model.index(row, column).data().toString(); }

    CTLDList tlds;

    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
    CDomainListModel model{doc};
    // Fails the test on any signal the model sends out of order or with wrong counts.
    std::unique_ptr<QAbstractItemModelTester> tester = std::make_unique<QAbstractItemModelTester>(
        &model, QAbstractItemModelTester::FailureReportingMode::Fatal);
};

TEST_F(DomainListModelTest, ShowsTheColumnsOfTheList)
{
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(Text(1, CDomainListModel::SlNo), QStringLiteral("2"));
    EXPECT_EQ(Text(1, CDomainListModel::Domain), QStringLiteral("b.com"));
    EXPECT_EQ(Text(1, CDomainListModel::Status), QStringLiteral("Unknown"));
    EXPECT_EQ(Text(1, CDomainListModel::CheckedAt), QStringLiteral("-"));
    EXPECT_EQ(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Checked At"));
}

TEST_F(DomainListModelTest, OneChangedRowRepaintsThatRowOnly)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    doc.ApplyLookupResult(1, {"No match", {}, STATUS_AVAILABLE});
    ASSERT_EQ(changed.count(), 1);
    const auto first = changed.at(0).at(0).value<QModelIndex>();
    const auto last = changed.at(0).at(1).value<QModelIndex>();
    EXPECT_EQ(first.row(), 1);
    EXPECT_EQ(last.row(), 1);
    EXPECT_EQ(Text(1, CDomainListModel::Status), QStringLiteral("*AVAILABLE*"));
}

TEST_F(DomainListModelTest, DeletedRowGoesAndTheRowsAfterItAreRenumbered)
{
    // The tester expects the row after a removed one to keep its data, but the first column's
    // numbers move up by design.
    tester.reset();
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    doc.RemoveName("a.com");
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(Text(0, CDomainListModel::SlNo), QStringLiteral("1"));
    EXPECT_EQ(Text(0, CDomainListModel::Domain), QStringLiteral("b.com"));
}

TEST_F(DomainListModelTest, NamesAdmittedWithoutAnAnnouncementAppearAtTheNextRefresh)
{
    doc.AdmitName("d.com");
    EXPECT_EQ(model.rowCount(), 3) << "rows follow the document only through its notifications";
    doc.RefreshAll();
    EXPECT_EQ(model.rowCount(), 4);
    doc.OnNewDocument();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(DomainListModelTest, CheckBoxTicksThroughTheDocument)
{
    const QModelIndex box = model.index(2, CDomainListModel::SlNo);
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(model.setData(box, Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(doc.GetAt(2)->m_bTicked, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(box.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
}

TEST_F(DomainListModelTest, ALabelNamesShowInUnicodeWithTheALabelAsTheirTip)
{
    ASSERT_TRUE(doc.AdmitName("m\xc3\xbcnchen.com"));
    AddStoredEntry(doc, "xn--zz.com");
    doc.AnnounceAdmitted();
    EXPECT_EQ(Text(3, CDomainListModel::Domain), QStringLiteral("m\u00fcnchen.com"));
    for (int column = 0; column < model.columnCount(); ++column) {
        EXPECT_EQ(model.index(3, column).data(Qt::ToolTipRole).toString(),
                  QStringLiteral("xn--mnchen-3ya.com"));
        EXPECT_FALSE(model.index(0, column).data(Qt::ToolTipRole).isValid()) << "plain ASCII";
    }
    EXPECT_EQ(Text(4, CDomainListModel::Domain), QStringLiteral("xn--zz.com"))
        << "an A-label that does not decode soundly shows as it is";
    EXPECT_FALSE(model.index(4, CDomainListModel::Domain).data(Qt::ToolTipRole).isValid());
}

TEST_F(DomainListModelTest, NamesThatAreNotUtf8ShowAsLatin1)
{
    AddStoredEntry(doc, "caf\xe9.com");
    doc.AnnounceAdmitted();
    EXPECT_EQ(Text(3, CDomainListModel::Domain), QString::fromUtf8("caf\u00e9.com"));
}

} // namespace

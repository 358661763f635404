#include "core/DateTimeValue.h"

#include <cmath>
#include <limits>

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

QDateTime Local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

struct DayCountCase {
    const char* behaviour;
    double days;
    QDateTime local;
};

class DayCount : public testing::TestWithParam<DayCountCase> {};

TEST_P(DayCount, ConvertsBothWays)
{
    const DayCountCase& c = GetParam();
    EXPECT_EQ(DateTimeValue(DateTimeValue::Valid, c.days).ToLocal(), c.local) << c.behaviour;
    EXPECT_DOUBLE_EQ(DateTimeValue::FromLocal(c.local).GetDays(), c.days) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    DateTimeValue, DayCount,
    testing::Values(DayCountCase{"the epoch", 0.0, Local(1899, 12, 30)},
                    DayCountCase{"noon of the next day", 1.5, Local(1899, 12, 31, 12)},
                    DayCountCase{"before the epoch the fraction still counts forward", -1.25,
                                 Local(1899, 12, 29, 6)},
                    DayCountCase{"a recent evening", 46363.75, Local(2026, 12, 7, 18)},
                    DayCountCase{"first day of the year 2000", 36526.0, Local(2000, 1, 1)}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(DateTimeValue, TimeJustBeforeMidnightRoundsIntoTheNextDay)
{
    EXPECT_EQ(DateTimeValue(DateTimeValue::Valid, 1.9999999999).ToLocal(), Local(1900, 1, 1));
}

TEST(DateTimeValue, MillisecondsSurviveARoundTrip)
{
    const QDateTime when = Local(2026, 3, 14, 15, 9, 26, 535);
    EXPECT_EQ(DateTimeValue::FromLocal(when).ToLocal(), when);
}

TEST(DateTimeValue, ValuesThatNameNoTimeConvertToNothing)
{
    EXPECT_FALSE(DateTimeValue().ToLocal().isValid()) << "null";
    EXPECT_FALSE(DateTimeValue(DateTimeValue::Invalid, 40000).ToLocal().isValid()) << "invalid";
    EXPECT_FALSE(DateTimeValue(7, 40000).ToLocal().isValid()) << "unknown status word";
    EXPECT_FALSE(DateTimeValue(DateTimeValue::Valid, std::nan("")).ToLocal().isValid()) << "NaN";
    EXPECT_FALSE(DateTimeValue(DateTimeValue::Valid, std::numeric_limits<double>::infinity())
                     .ToLocal()
                     .isValid());
    EXPECT_FALSE(DateTimeValue(DateTimeValue::Valid, 1e300).ToLocal().isValid()) << "far future";
    EXPECT_FALSE(DateTimeValue(DateTimeValue::Valid, -1e9).ToLocal().isValid()) << "far past";
}

TEST(DateTimeValue, ResetKeepsTheDayCount)
{
    DateTimeValue value(DateTimeValue::Valid, 45000.5);
    value.SetNull();
    EXPECT_EQ(value.GetStatus(), DateTimeValue::Null);
    EXPECT_EQ(value.GetDays(), 45000.5);
}

TEST(DateTimeValue, CurrentTimeIsValidAndNow)
{
    const QDateTime before = QDateTime::currentDateTime();
    const DateTimeValue now = DateTimeValue::CurrentLocal();
    const QDateTime after = QDateTime::currentDateTime();
    ASSERT_TRUE(now.IsValid());
    EXPECT_GE(now.ToLocal().msecsTo(after), -1);
    EXPECT_GE(before.msecsTo(now.ToLocal()), -1);
}

} // namespace

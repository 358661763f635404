#include "core/DateTimeValue.h"

#include <cmath>

namespace {

constexpr qint64 kMsecsPerDay = 86'400'000;
// 1 January 100 and 31 December 9999, the range day counts are defined for.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958466.0;

QDate Epoch()
{
    return QDate(1899, 12, 30);
}

} // namespace

DateTimeValue DateTimeValue::FromLocal(const QDateTime& local)
{
    if (!local.isValid()) {
        return DateTimeValue(Invalid, 0.0);
    }
    const qint64 wholeDays = Epoch().daysTo(local.date());
    const double fraction = static_cast<double>(local.time().msecsSinceStartOfDay()) /
                            static_cast<double>(kMsecsPerDay);
    const double days = wholeDays < 0 ? static_cast<double>(wholeDays) - fraction
                                      : static_cast<double>(wholeDays) + fraction;
    return DateTimeValue(Valid, days);
}

DateTimeValue DateTimeValue::CurrentLocal()
{
    return FromLocal(QDateTime::currentDateTime());
}

QDateTime DateTimeValue::ToLocal() const
{
    if (!IsValid() || !std::isfinite(m_days) || m_days <= kFirstDay - 1.0 || m_days >= kLastDay) {
        return {};
    }
    const double whole = std::trunc(m_days);
    qint64 msecs = std::llround(std::fabs(m_days - whole) * static_cast<double>(kMsecsPerDay));
    QDate date = Epoch().addDays(static_cast<qint64>(whole));
    if (msecs >= kMsecsPerDay) {
        msecs -= kMsecsPerDay;
        date = date.addDays(1);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

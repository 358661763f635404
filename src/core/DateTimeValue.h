#pragma once

#include <QDateTime>

#include <cstdint>

// A local date and time as documents store it: a status word and a day count since
// 30 December 1899 whose fraction is the time of day. Negative day counts follow the same
// convention as positive ones: the whole part picks the day, the magnitude of the fraction
// the time within it.
class DateTimeValue {
public:
    enum Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    DateTimeValue() = default;
    DateTimeValue(std::int32_t status, double days)
        : m_status(status)
        , m_days(days)
    {}

    static DateTimeValue FromLocal(const QDateTime& local);
    static DateTimeValue CurrentLocal();

    // The local date-time; invalid when the value is not valid or lies outside the years
    // 100 to 9999 that the day count can express.
    QDateTime ToLocal() const;

    bool IsValid() const { return m_status == Valid; }
    std::int32_t GetStatus() const { return m_status; }
    double GetDays() const { return m_days; }
    // A reset entry forgets when it was checked but keeps the stored day count.
    void SetNull() { m_status = Null; }

    friend bool operator==(const DateTimeValue&, const DateTimeValue&) = default;

private:
    std::int32_t m_status = Null;
    double m_days = 0.0;
};

#include "core/DomainSort.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"

#include <algorithm>
#include <cmath>

namespace DomainSort {

namespace {

using Entries = std::vector<std::unique_ptr<CDomainInfo>>;
using Iterator = Entries::iterator;

// Applies `arrange` to each stretch of [first, last) between entries for which `isBarrier`
// holds; barriers themselves never move.
template <typename IsBarrier, typename Arrange>
void ForEachSegment(Iterator first, Iterator last, IsBarrier isBarrier, Arrange arrange)
{
    while (first != last) {
        const Iterator barrier = std::find_if(first, last, isBarrier);
        arrange(first, barrier);
        first = barrier == last ? last : std::next(barrier);
    }
}

void SortByTick(Entries& entries)
{
    std::stable_partition(entries.begin(), entries.end(),
                          [](const auto& entry) { return entry->m_bTicked != 0; });
}

void SortByName(Entries& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return ByteText::CompareNoCase(a->m_strName, b->m_strName) < 0;
    });
}

// Higher codes first. Among equal codes an entry whose address text is "Error" moves ahead of
// one with another address text, but never past an entry without an address text, which the swap
// rule leaves where it is among its equals.
void SortByStatus(Entries& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a->m_nStatus > b->m_nStatus; });
    for (Iterator run = entries.begin(); run != entries.end();) {
        const std::uint8_t status = (*run)->m_nStatus;
        const Iterator runEnd = std::find_if(
            run, entries.end(), [status](const auto& entry) { return entry->m_nStatus != status; });
        ForEachSegment(
            run, runEnd, [](const auto& entry) { return entry->m_strDNS.isEmpty(); },
            [](Iterator first, Iterator last) {
                std::stable_partition(first, last,
                                      [](const auto& entry) { return entry->m_strDNS == "Error"; });
            });
        run = runEnd;
    }
}

// Entries with a valid time first, oldest first, the rest after in their order. A day count that
// is not a number compares with nothing, so it stays put among the valid entries and splits
// them into stretches sorted on their own.
void SortByTime(Entries& entries)
{
    const Iterator validEnd =
        std::stable_partition(entries.begin(), entries.end(),
                              [](const auto& entry) { return entry->m_timeChecked.IsValid(); });
    ForEachSegment(
        entries.begin(), validEnd,
        [](const auto& entry) { return std::isnan(entry->m_timeChecked.GetDays()); },
        [](Iterator first, Iterator last) {
            std::stable_sort(first, last, [](const auto& a, const auto& b) {
                return a->m_timeChecked.GetDays() < b->m_timeChecked.GetDays();
            });
        });
}

} // namespace

void Sort(Entries& entries, Key key)
{
    switch (key) {
    case Key::ByTick:
        SortByTick(entries);
        break;
    case Key::ByName:
        SortByName(entries);
        break;
    case Key::ByStatus:
        SortByStatus(entries);
        break;
    case Key::ByTime:
        SortByTime(entries);
        break;
    }
}

} // namespace DomainSort

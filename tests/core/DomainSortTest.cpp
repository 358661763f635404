#include "core/DomainSort.h"
#include "core/ByteText.h"
#include "core/DomainInfo.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::unique_ptr<CDomainInfo>>;

// The swap rules of the four keys: true when the second entry of a neighbouring pair must come
// first.
bool MustSwap(const CDomainInfo& first, const CDomainInfo& second, int key)
{
    switch (key) {
    case 0:
        return !first.m_bTicked && second.m_bTicked;
    case 1:
        return ByteText::CompareNoCase(first.m_strName, second.m_strName) > 0;
    case 2:
        return first.m_nStatus < second.m_nStatus ||
               (first.m_nStatus == second.m_nStatus && !first.m_strDNS.isEmpty() &&
                !second.m_strDNS.isEmpty() && first.m_strDNS != second.m_strDNS &&
                second.m_strDNS == "Error");
    case 3: {
        const bool firstValid = first.m_timeChecked.IsValid();
        const bool secondValid = second.m_timeChecked.IsValid();
        return (!firstValid && secondValid) ||
               (firstValid && secondValid &&
                second.m_timeChecked.GetDays() < first.m_timeChecked.GetDays());
    }
    }
    return false;
}

// The plain algorithm: passes of neighbour swaps until a pass swaps nothing.
void BubbleSort(Entries& entries, int key)
{
    bool swapped = true;
    while (swapped && entries.size() > 1) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
            if (MustSwap(*entries[i], *entries[i + 1], key)) {
                std::swap(entries[i], entries[i + 1]);
                swapped = true;
            }
        }
    }
}

Entries RandomList(std::mt19937& random, std::size_t size)
{
    // Small value ranges so that ties, case variants and every address-text kind are common.
    static const QByteArray kNames[] = {"alpha.com",  "ALPHA.com",    "beta.com", "Beta.com",
                                        "b.com",      "zeta.net",     "a.com",    "A.COM",
                                        "beta.co.uk", "\xe9t\xe9.com"};
    static const QByteArray kAddresses[] = {"", "", "Error", "error", "192.0.2.1", "192.0.2.2"};
    static const double kDays[] = {45000.25, 45000.25, 45001.0, 44000.0, -3.5, std::nan(""), 0.0};
    Entries entries;
    for (std::size_t i = 0; i < size; ++i) {
        auto entry = std::make_unique<CDomainInfo>(kNames[random() % std::size(kNames)]);
        entry->m_bTicked = random() % 2;
        entry->m_nStatus = static_cast<std::uint8_t>(random() % 9);
        entry->m_strDNS = kAddresses[random() % std::size(kAddresses)];
        const std::int32_t timeStatus =
            random() % 3 == 0 ? DateTimeValue::Null : DateTimeValue::Valid;
        entry->m_timeChecked = DateTimeValue(timeStatus, kDays[random() % std::size(kDays)]);
        entry->m_nSuffixNumber = static_cast<std::int32_t>(i); // identifies the entry
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::int32_t> Order(const Entries& entries)
{
    std::vector<std::int32_t> order;
    for (const auto& entry : entries) {
        order.push_back(entry->m_nSuffixNumber);
    }
    return order;
}

Entries Copy(const Entries& entries)
{
    Entries copy;
    for (const auto& entry : entries) {
        copy.push_back(std::make_unique<CDomainInfo>(*entry));
    }
    return copy;
}

class SortEquivalence : public testing::TestWithParam<int> {};

TEST_P(SortEquivalence, GivesTheOrderOfNeighbourSwapPasses)
{
    const int key = GetParam();
    std::mt19937 random(1234 + key);
    for (int round = 0; round < 400; ++round) {
        const Entries original = RandomList(random, random() % 60);
        Entries expected = Copy(original);
        BubbleSort(expected, key);
        Entries actual = Copy(original);
        DomainSort::Sort(actual, static_cast<DomainSort::Key>(key));
        ASSERT_EQ(Order(actual), Order(expected)) << "key " << key << ", round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(DomainSort, SortEquivalence, testing::Values(0, 1, 2, 3));

TEST(DomainSort, StatusOrderPutsErrorsFirstAndUnknownLast)
{
    Entries entries;
    for (const std::uint8_t status : {0, 2, 6, 1, 3, 4, 5}) {
        entries.push_back(std::make_unique<CDomainInfo>("x.com"));
        entries.back()->m_nStatus = status;
    }
    DomainSort::Sort(entries, DomainSort::Key::ByStatus);
    std::vector<int> statuses;
    for (const auto& entry : entries) {
        statuses.push_back(entry->m_nStatus);
    }
    EXPECT_EQ(statuses, (std::vector<int>{6, 5, 4, 3, 2, 1, 0}));
}

} // namespace

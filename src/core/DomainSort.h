#pragma once

#include <memory>
#include <vector>

class CDomainInfo;

// The orders of the list's four sort keys. Each gives exactly the order that repeated passes of
// neighbour swaps would, in O(n log n).
namespace DomainSort {

enum class Key { ByTick = 0, ByName = 1, ByStatus = 2, ByTime = 3 };

void Sort(std::vector<std::unique_ptr<CDomainInfo>>& entries, Key key);

} // namespace DomainSort

#pragma once

#include <memory>
#include <vector>

class CDomainInfo;

// The orders of the list's four sort keys. Each gives exactly the order that repeated passes of
// neighbour swaps would, in O(n log n).
namespace DomainSort {

enum Key { BySelection = 0, ByName = 1, ByStatus = 2, ByTime = 3 };

// Unknown keys leave the list as it is.
void Sort(std::vector<std::unique_ptr<CDomainInfo>>& entries, int key);

} // namespace DomainSort

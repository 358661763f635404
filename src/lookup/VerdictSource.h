#pragma once

#include <cstdint>

// Who gave a lookup its verdict: the registry (over WHOIS or RDAP), or DNS, which showed the name
// delegated and so spared the registry a query.
enum class VerdictSource : std::uint8_t { Registry, Dns };

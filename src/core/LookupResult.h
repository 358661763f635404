#pragma once

#include "core/DateTimeValue.h"

#include <QByteArray>

#include <cstdint>

// What a finished lookup hands to its entry: the record text (or the failure message), when the
// lookup ended, the status the answer gives, and the address DNS found for the name.
struct CLookupResult {
    QByteArray text;
    DateTimeValue checkedAt;
    std::uint8_t status = 0;
    // Empty when the lookup found none; the entry then keeps the address it has, since a
    // registry's record gives no address to replace it with.
    QByteArray address{};
};

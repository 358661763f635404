#pragma once

#include "core/DateTimeValue.h"

#include <QByteArray>

#include <cstdint>

// What a finished lookup hands to its entry: the record text (or the failure message), when the
// lookup ended, and the status the answer gives.
struct CLookupResult {
    QByteArray text;
    DateTimeValue checkedAt;
    std::uint8_t status = 0;
};

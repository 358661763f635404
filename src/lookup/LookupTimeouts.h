#pragma once

#include <chrono>

// How long a lookup waits for the server: to accept the connection, and between two pieces of
// the answer. A server that stalls ends the lookup instead of holding a connection slot forever.
struct CLookupTimeouts {
    std::chrono::milliseconds connect{20'000};
    std::chrono::milliseconds read{30'000};

    // "Connect Timeout" and "Read Timeout" in seconds, at least one second each.
    static CLookupTimeouts FromSettings();
};

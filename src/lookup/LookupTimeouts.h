#pragma once

#include <chrono>

// How long a lookup waits for the server: to accept the connection, between two pieces of the
// answer, and for the whole try. A server that stalls ends the lookup instead of holding a
// connection slot forever.
struct CLookupTimeouts {
    std::chrono::milliseconds connect{20'000};
    std::chrono::milliseconds read{30'000};
    std::chrono::milliseconds lookup{60'000};

    // The limits of "Connect Timeout" and "Read Timeout". The settings may hold any typed
    // number; beyond five minutes a stalled server would hold its slot for no good.
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 300;

    // "Connect Timeout" and "Read Timeout" in seconds, within the limits above.
    static CLookupTimeouts FromSettings();
};

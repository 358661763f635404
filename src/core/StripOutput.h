#pragma once

#include <atomic>

// Whether registries' disclaimers are removed from WHOIS answers: a copy of the "Strip Output"
// setting, taken when a document is created and when the options are confirmed. Lookup workers
// read it while the user-interface thread may change it.
extern std::atomic<bool> g_bStripOutput;

#include "core/StripOutput.h"

std::atomic<bool> g_bStripOutput{true};

#pragma once

#include "core/StripOutput.h"

// Sets "Strip Output" for one test and puts the program's setting back afterwards.
class CStripSetting {
public:
    explicit CStripSetting(bool strip)
        : m_saved(g_bStripOutput)
    {
        g_bStripOutput = strip;
    }
    ~CStripSetting() { g_bStripOutput = m_saved; }

private:
    bool m_saved;
};

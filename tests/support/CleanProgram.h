#pragma once

#include "core/TLDList.h"
#include "view/UserPrompt.h"

#include "support/TestEnvironment.h"

// The program as on a clean machine: no settings or data files, the default TLD table, and every
// question answered by the test instead of shown.
inline void ResetToCleanProgram()
{
    CTestEnvironment::Instance().Reset();
    CUserPrompt::Reset();
    CUserPrompt::SetAutomatic(true);
    g_TLDList.ClearTLDList();
    g_TLDList.FillDefaults();
}

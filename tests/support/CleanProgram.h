#pragma once

#include "view/UserPrompt.h"

#include "support/TestEnvironment.h"

// The program as on a clean machine: no settings or data files, and every question answered by
// the test instead of shown.
inline void ResetToCleanProgram()
{
    CTestEnvironment::Instance().Reset();
    CUserPrompt::Reset();
    CUserPrompt::SetAutomatic(true);
}

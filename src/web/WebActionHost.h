#pragma once

#include "web/Prompt.h"
#include "web/RegistrarDialog.h"

#include <optional>

// What the web actions need from the window: a message box, and the favourite-registrar dialog.
// The window shows them modally; tests answer them from a script.
class CWebActionHost {
public:
    virtual ~CWebActionHost() = default;

    virtual PromptAnswer Ask(const CPrompt& prompt) = 0;
    // Nothing when the user cancels.
    virtual std::optional<CRegistrarChoice> AskRegistrarURL(const CRegistrarDialogStart& start) = 0;
};

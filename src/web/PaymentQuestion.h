#pragma once

#include "web/Prompt.h"

#include <optional>

class CDomainInfo;

// The question asked before the payment status page opens: the expiry line of the entry's record
// when it has one, a warning when the name looked free, nothing otherwise. The page opens only
// on Yes.
std::optional<CPrompt> PaymentStatusQuestion(const CDomainInfo& entry);

#pragma once

#include "lookup/AnswerLines.h"

// The fixed phrases the verdict looks for, and where in a line each kind counts. Every table
// lives in AnswerPhrases.cpp with the reason for each entry.
namespace AnswerPhrases {

// What one line says; a line may say several things.
enum Hit : unsigned {
    kNotice = 1u << 0,     // legal-notice wording: the line belongs to boilerplate
    kFailure = 1u << 1,    // the server refused or could not answer this query
    kRegistered = 1u << 2, // a field of a registration record
    kFree = 1u << 3,       // the registry says the name is not registered
};

// The hits of one line, compared without regard to ASCII case.
unsigned ScanLine(const AnswerLines::Line& line);

} // namespace AnswerPhrases

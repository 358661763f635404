#pragma once

#include <cctype>
#include <string>

// A parameterised case's name made from the behaviour it pins: "label ending with a dash"
// becomes "LabelEndingWithADash".
inline std::string CaseName(const char* behaviour)
{
    std::string name;
    bool upper = true;
    for (const char* c = behaviour; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

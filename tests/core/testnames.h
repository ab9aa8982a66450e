#pragma once

#include <cmath>
#include <cstdio>
#include <string>

// A number as part of a test's name: "0_0126", "minus_0_5", "inf", "nan",
// so that ctest lists every case by what it checks.
inline std::string nameOf(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "minus_inf" : "inf";
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", std::fabs(value));
    std::string name = std::signbit(value) ? "minus_" : "";
    for (const char* c = text; *c; ++c)
        name += (*c == '.' || *c == '+' || *c == '-') ? '_' : *c;
    return name;
}

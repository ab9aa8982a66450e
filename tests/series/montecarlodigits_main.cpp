// Prints the Monte Carlo's digits, for comparing one build with another.
#include "montecarlodigits.h"

#include <cstdio>

int main()
{
    for (const std::string& line : monteCarloDigits())
        std::printf("%s\n", line.c_str());
    return 0;
}

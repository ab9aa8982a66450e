#pragma once

#include <string>
#include <vector>

// The Monte Carlo's bits on a few runs and the normal draws' first words,
// one line each in hexadecimal, for comparing builds: the desktop's with
// and without AVX2, and the page's in WebAssembly.
std::vector<std::string> monteCarloDigits();

// Writes series/studentt_table.h: the 97.5 % quantile of Student's t for
// 1 to 400 degrees of freedom from Boost, as exact hexadecimal literals, so
// that the program itself needs no C library function for it. Run
// `cmake --build <dir> --target t975table` after changing the table's size.

#include <boost/math/distributions/students_t.hpp>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillon-maket975 OUTPUT\n");
        return 2;
    }
    constexpr int last = 400;
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out)
        return 1;
    std::fprintf(out,
                 "#pragma once\n\n"
                 "// Written by tools/maket975.cpp from Boost.Math; do not edit.\n"
                 "// Entry i: the 97.5 %% quantile of Student's t for i + 1 degrees of freedom.\n\n"
                 "#include <array>\n\n"
                 "namespace series::detail {\n\n"
                 "// clang-format off\n"
                 "inline constexpr std::array<double, %d> t975Table{\n",
                 last);
    for (int dof = 1; dof <= last; ++dof) {
        const double t = boost::math::quantile(boost::math::students_t(dof), 0.975);
        std::fprintf(out, "%s%a,%s", dof % 4 == 1 ? "    " : " ", t, dof % 4 == 0 || dof == last ? "\n" : "");
    }
    std::fprintf(out, "};\n// clang-format on\n\n}  // namespace series::detail\n");
    return std::fclose(out) == 0 ? 0 : 1;
}

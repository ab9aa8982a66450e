#pragma once

// A loop over arrays compiled twice on x86-64 Linux with GCC, for the
// baseline's SSE2 and for AVX2, the wider form chosen at start where the
// processor has it. Each element sees the same IEEE operations in the same
// order in either form (no FMA: contraction is off everywhere), so the
// bits are the same.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define QUILLON_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define QUILLON_WIDE_VECTORS
#endif

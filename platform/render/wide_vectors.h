#pragma once
// Marks a pixel loop to be compiled twice, for AVX2 and for the baseline
// instruction set, with the choice made once at program start. The loops are
// integer arithmetic and correctly rounded float steps (no fused
// multiply-add), so both versions give the same pixels.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define OV_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define OV_WIDE_VECTORS
#endif

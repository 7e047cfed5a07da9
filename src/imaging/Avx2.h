// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the compiler can target AVX2 function by function: PLAKATRON_X86_AVX2 is defined, and
// PLAKATRON_AVX2 marks the functions that use it. Such a function may only run after
// resample::avx2Supported() said yes; everything else stays baseline code.

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define PLAKATRON_X86_AVX2 1
#define PLAKATRON_AVX2 __attribute__((target("avx2")))
#include <immintrin.h>
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#define PLAKATRON_X86_AVX2 1
#define PLAKATRON_AVX2
#include <immintrin.h>
#include <intrin.h>
#endif

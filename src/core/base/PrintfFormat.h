// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marks a printf-style function so the compiler checks its calls.
#if defined(__GNUC__)
#define QUILL_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QUILL_PRINTF(fmt, args)
#endif

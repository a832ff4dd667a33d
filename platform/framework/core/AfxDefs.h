// The framework's diagnostic macros. ASSERT stops a debug build on a broken invariant; TRACE
// writes nothing (the program logs nothing).
#pragma once

#include <cassert>

#include "kernel/WinBase.h"

#ifndef ASSERT
#define ASSERT(f) assert(f)
#endif
#ifndef VERIFY
#ifdef NDEBUG
#define VERIFY(f) ((void)(f))
#else
#define VERIFY(f) assert(f)
#endif
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) assert((p) != nullptr)
#endif

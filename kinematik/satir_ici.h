// The library's own forcing of inline expansion, for its sources and for the
// forward kinematics' fast path only; no public header includes this one, so
// the macro reaches no user of the library.
#pragma once

// The steps of the fast path are a few dozen instructions each; GCC's size
// heuristics otherwise leave some of them as calls on the hottest paths.
#define VADU_SATIR_ICI [[gnu::always_inline]] inline

// Invariant checks for the fuzz targets: a broken invariant prints what broke and aborts, so
// libFuzzer keeps the input that did it as a crash artifact.
#pragma once
#include <cstdio>
#include <cstdlib>

namespace tavrin::fuzz {

[[noreturn]] inline void Broken(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

} // namespace tavrin::fuzz

#define FUZZ_CHECK(condition)                                                                                \
    ((condition) ? static_cast<void>(0) : ::tavrin::fuzz::Broken(#condition, __FILE__, __LINE__))

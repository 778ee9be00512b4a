// The check of the fuzz targets: a condition that does not hold ends the run, naming itself, so
// that libFuzzer keeps the input and the report says what went wrong without a debugger.
#pragma once
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzzCheckFailed(const char* condition, const char* file, int line) {
    fprintf(stderr, "%s:%d: does not hold: %s\n", file, line, condition);
    abort();
}

#define REQUIRE(condition) ((condition) ? (void)0 : fuzzCheckFailed(#condition, __FILE__, __LINE__))

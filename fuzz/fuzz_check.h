#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

inline std::string_view fuzzInput(const std::uint8_t *data, std::size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

// An invariant of a fuzz target. A broken one aborts, which libFuzzer records as
// a crash with its input and the replay test reports as a failure.
#define FUZZ_CHECK(condition)                                                                                                    \
    do {                                                                                                                         \
        if (!(condition)) {                                                                                                      \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);                               \
            std::abort();                                                                                                        \
        }                                                                                                                        \
    } while (false)

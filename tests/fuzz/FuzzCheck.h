#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken property ends the run with a crash, so that libFuzzer keeps the input that broke it.
inline void require(bool holds, const char *what, std::string_view input = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s; input (%zu bytes):", what, input.size());
    for (const char ch : input)
        std::fprintf(stderr, " %02X", static_cast<unsigned char>(ch));
    std::fprintf(stderr, "\n");
    std::abort();
}

inline bool isUpperHex(std::string_view s)
{
    for (const char ch : s)
        if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')))
            return false;
    return !s.empty();
}

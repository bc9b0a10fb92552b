#pragma once
// A property every fuzz target asserts: a broken one aborts with a message,
// which libFuzzer records as a crash with the input that caused it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                                \
            std::abort();                                                            \
        }                                                                            \
    } while (0)

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tarvelo::fuzz {

// "inf" or "nan" in any case: a number printed from a non-finite value.
inline bool HasNonFiniteWord(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// A reader's message says something and never prints a non-finite number of
// its own. `input` is what it read: a message may quote the input's own
// "inf" or "nan" (pass an empty input where nothing is quoted).
inline bool CleanMessage(std::string_view message, std::string_view input = {})
{
    return !message.empty() && (HasNonFiniteWord(input) || !HasNonFiniteWord(message));
}

}  // namespace tarvelo::fuzz

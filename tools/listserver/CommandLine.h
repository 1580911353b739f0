// Command-line numbers for the channel-list tools (server, load tool): a
// whole decimal text within its option's range, or an error naming the
// option.
#pragma once

#include <cstdlib>
#include <string>

namespace listserver {

inline bool ParseNumber(const std::string& name, const std::string& value, long long lo,
                        long long hi, long long& out, std::string& error) {
    char* end = nullptr;
    const long long n = std::strtoll(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < lo || n > hi) {
        error = name + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                ", got '" + value + "'";
        return false;
    }
    out = n;
    return true;
}

} // namespace listserver

// Command lines of the channel-list tools (server, load tool, bare
// reference): the help options, and numbers given as a whole decimal text
// within their option's range, or an error naming the option.
#pragma once

#include <cstdlib>
#include <string>

namespace listserver {

// --help and -h, in the place of an option (not of an option's value), ask
// for the usage, printed on standard output with exit status 0, instead of
// a run.
inline bool IsHelpOption(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

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

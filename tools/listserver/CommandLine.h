// Command lines of the channel-list tools (server, load tool, bare
// reference): NAME VALUE options, the help options, and numbers given as a
// whole decimal text within their option's range, or an error naming the
// option.
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

// Walks a command line of NAME VALUE options in order, handing each pair
// to take(name, value), which sets error and answers false to stop. --help
// or -h in an option's place sets help and stops at once, with true; an
// option without its value is an error.
template <class Take>
bool ForEachOption(int argc, char** argv, bool& help, std::string& error, Take take) {
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        if (IsHelpOption(name)) {
            help = true;
            return true;
        }
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        if (!take(name, std::string(argv[i + 1]))) {
            return false;
        }
    }
    return true;
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

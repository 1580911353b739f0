// Numbers as message text: canonical decimal out, strict decimal in. A text
// reads as a number only when all of it is one number of the asked type, so
// "12abc", " 12", "+12", "" and out-of-range values never read as something
// else. Conversions do not depend on the C locale. Internal to msgdata.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace msgdata {

// Appends the decimal text of an integer.
template <typename T> void AppendInteger(std::string& out, T value) {
    char buf[24];
    std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<std::size_t>(r.ptr - buf));
}

// Appends the shortest text that reads back as exactly this double
// ("inf", "-inf" and "nan" for the special values). Every NaN is "nan":
// its sign bit carries nothing, and "-nan" is not a form peers expect.
inline void AppendDouble(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "nan";
        return;
    }
    char buf[40];
    std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<std::size_t>(r.ptr - buf));
}

// Reads an integer of type T from exactly n bytes: an optional '-' (signed
// types only) and decimal digits, in range.
template <typename T> bool ParseInteger(const char* text, std::size_t n, T& value) {
    T parsed = 0;
    std::from_chars_result r = std::from_chars(text, text + n, parsed);
    if (r.ec != std::errc() || r.ptr != text + n)
        return false;
    value = parsed;
    return true;
}

// Reads a double from exactly n bytes: decimal or exponent form, or "inf" or
// "nan" after an optional '-'; a finite value too large for a double fails.
// The special values have that one spelling only: from_chars would also
// take "INF", "Infinity", "NaN" and "nan(...)", which nothing writes.
inline bool ParseDouble(const char* text, std::size_t n, double& value) {
    const std::size_t first = n > 0 && text[0] == '-' ? 1 : 0;
    if (n > first && text[first] != '.' && (text[first] < '0' || text[first] > '9')) {
        const std::string word(text + first, n - first);
        if (word != "inf" && word != "nan")
            return false;
    }
    double parsed = 0;
    std::from_chars_result r = std::from_chars(text, text + n, parsed);
    if (r.ec != std::errc() || r.ptr != text + n)
        return false;
    value = parsed;
    return true;
}

} // namespace msgdata

// Percent escaping with a chosen set of bytes that stand for themselves:
// every other byte is written as '%' and two upper-case hex digits. Decoding
// accepts either case of hex digit and refuses a raw byte outside the set,
// so a decoded text never hides a separator of the surrounding format.
// Internal to msgdata.
#pragma once

#include <cstddef>
#include <string>

namespace msgdata {

class PercentCodec {
public:
    // Printable ASCII except the message separators % & = ? # ; (and space).
    static const PercentCodec& Message();
    // Letters, digits and - . _ ~ only: safe in URLs, file names and
    // comma-separated catalogue lines.
    static const PercentCodec& Web();

    bool IsRaw(unsigned char c) const { return m_raw[c]; }

    // Appends the escaped form of n bytes to out.
    void Append(std::string& out, const char* text, std::size_t n) const;

    // Writes the escaped form of n bytes and a NUL into out (outSize bytes).
    // Returns false, with out holding an empty text, when it does not fit.
    bool Write(const char* text, std::size_t n, char* out, std::size_t outSize) const;

    // Decodes n bytes into out, which holds outCap bytes; *written receives
    // the decoded length. Returns false for a bad escape, a byte that should
    // have been escaped, or a result longer than outCap.
    bool Decode(const char* text, std::size_t n, char* out, std::size_t outCap,
                std::size_t* written) const;

    // Decodes n bytes and stores them in out (replacing its contents).
    bool Decode(const char* text, std::size_t n, std::string& out) const;

private:
    PercentCodec(bool allPrintable, const char* added, const char* removed);

    bool m_raw[256]; // true: the byte is written as itself
};

} // namespace msgdata

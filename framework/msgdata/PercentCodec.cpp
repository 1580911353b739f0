// Percent escaping shared by the message format and CEncodeToWeb.
#include "PercentCodec.h"

#include <cstring>

namespace msgdata {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// Value of one hex digit, or -1.
int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

// The raw set starts as all printable ASCII (or only letters and digits),
// gains the bytes of added and loses those of removed; '%' is never raw.
PercentCodec::PercentCodec(bool allPrintable, const char* added, const char* removed) {
    for (int c = 0; c < 256; ++c) {
        bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        bool printable = c > 0x20 && c < 0x7F;
        m_raw[c] = allPrintable ? printable : alnum;
    }
    for (const char* p = added; *p; ++p)
        m_raw[static_cast<unsigned char>(*p)] = true;
    for (const char* p = removed; *p; ++p)
        m_raw[static_cast<unsigned char>(*p)] = false;
    m_raw[static_cast<unsigned char>('%')] = false;
}

const PercentCodec& PercentCodec::Message() {
    static const PercentCodec codec(true, "", "&=?#;");
    return codec;
}

const PercentCodec& PercentCodec::Web() {
    static const PercentCodec codec(false, "-._~", "");
    return codec;
}

void PercentCodec::Append(std::string& out, const char* text, std::size_t n) const {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t i = 0; i < n; ++i) {
        if (m_raw[p[i]]) {
            out.push_back(static_cast<char>(p[i]));
        } else {
            char esc[3] = {'%', kHexDigits[p[i] >> 4], kHexDigits[p[i] & 0xF]};
            out.append(esc, 3);
        }
    }
}

bool PercentCodec::Write(const char* text, std::size_t n, char* out, std::size_t outSize) const {
    if (outSize == 0)
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t need = m_raw[p[i]] ? 1 : 3;
        if (outSize - pos <= need) { // keep one byte for the NUL
            out[0] = '\0';
            return false;
        }
        if (need == 1) {
            out[pos++] = static_cast<char>(p[i]);
        } else {
            out[pos++] = '%';
            out[pos++] = kHexDigits[p[i] >> 4];
            out[pos++] = kHexDigits[p[i] & 0xF];
        }
    }
    out[pos] = '\0';
    return true;
}

bool PercentCodec::Decode(const char* text, std::size_t n, char* out, std::size_t outCap,
                          std::size_t* written) const {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = p[i];
        if (c == '%') {
            if (n - i < 3)
                return false;
            int hi = HexValue(p[i + 1]);
            int lo = HexValue(p[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            c = static_cast<unsigned char>(hi * 16 + lo);
            i += 2;
        } else if (!m_raw[c]) {
            return false;
        }
        if (pos == outCap)
            return false;
        out[pos++] = static_cast<char>(c);
    }
    *written = pos;
    return true;
}

bool PercentCodec::Decode(const char* text, std::size_t n, std::string& out) const {
    // The decoded text is never longer than its escaped form.
    out.resize(n);
    std::size_t written = 0;
    if (!Decode(text, n, &out[0], n, &written)) {
        out.clear();
        return false;
    }
    out.resize(written);
    return true;
}

} // namespace msgdata

// Reading a message text into a CKelpParser (the reading constructor).
#include "KelpFormat.h"
#include "KelpParserImpl.h"
#include "NumberText.h"
#include "PercentCodec.h"

#include <algorithm>
#include <cstring>

using msgdata::PercentCodec;

namespace {

// Walks a message text from left to right; every step checks the bounds.
class Cursor {
public:
    Cursor(const char* begin, const char* end) : m_p(begin), m_end(end) {}

    bool AtEnd() const { return m_p == m_end; }
    char Peek() const { return *m_p; }

    // Consumes c when it comes next.
    bool Take(char c) {
        if (m_p == m_end || *m_p != c)
            return false;
        ++m_p;
        return true;
    }

    // Consumes the given text when it comes next.
    bool Take(const char* text) {
        std::size_t n = std::strlen(text);
        if (static_cast<std::size_t>(m_end - m_p) < n || std::memcmp(m_p, text, n) != 0)
            return false;
        m_p += n;
        return true;
    }

    // Consumes one escaped token, up to the next separator or the end, and
    // decodes it into out.
    bool Token(std::string& out) {
        const char* start = m_p;
        while (m_p != m_end && !IsSeparator(*m_p))
            ++m_p;
        return PercentCodec::Message().Decode(start, static_cast<std::size_t>(m_p - start), out);
    }

    // Consumes one token up to the next separator or the end and stores its
    // bytes in out as they stand, without decoding escapes.
    void RawToken(std::string& out) {
        const char* start = m_p;
        while (m_p != m_end && !IsSeparator(*m_p))
            ++m_p;
        out.assign(start, static_cast<std::size_t>(m_p - start));
    }

    std::size_t Remaining() const { return static_cast<std::size_t>(m_end - m_p); }
    const char* Position() const { return m_p; }
    // Moves on to p, which lies between the position and the end.
    void Seek(const char* p) { m_p = p; }

private:
    static bool IsSeparator(char c) {
        return c == msgdata::kPairSep || c == msgdata::kKeySep || c == msgdata::kItemsStart ||
               c == msgdata::kDataStart || c == msgdata::kEnd;
    }

    const char* m_p;   // next byte to read
    const char* m_end; // one past the last byte
};

// What each byte is to the value scanner: kRaw stands for itself, kEscape
// starts an escape, anything else ends the token (a separator, or a byte
// that must have been escaped, which no separator check then accepts).
enum : unsigned char { kRaw, kEscape, kStop };

struct ScanTables {
    unsigned char kind[256];
    signed char hex[256]; // value of a hex digit, or -1

    ScanTables() {
        const PercentCodec& codec = PercentCodec::Message();
        for (int c = 0; c < 256; ++c) {
            kind[c] = codec.IsRaw(static_cast<unsigned char>(c)) ? kRaw : kStop;
            hex[c] = -1;
        }
        kind[static_cast<unsigned char>('%')] = kEscape;
        for (int d = 0; d < 10; ++d)
            hex['0' + d] = static_cast<signed char>(d);
        for (int d = 0; d < 6; ++d)
            hex['A' + d] = hex['a' + d] = static_cast<signed char>(10 + d);
    }
};

const ScanTables& Tables() {
    static const ScanTables tables;
    return tables;
}

// Decodes one token from p into out, up to the first byte that is neither
// raw nor an escape, and returns that byte's position (null for a bad
// escape). The text must end with a byte of kind kStop (the message's end
// mark), so the scan never checks bounds and never passes it: an escape's
// digits are read one at a time and the first that is no hex digit (the end
// mark is none) ends the escape before the next is read. nul is set when an
// escape decodes to a NUL. out must have room for the token's bytes.
const unsigned char* ScanToken(const ScanTables& t, const unsigned char* p, char*& out, bool& nul) {
    char* o = out;
    for (;;) {
        const unsigned char c = *p;
        const unsigned char kind = t.kind[c];
        if (kind == kRaw) {
            *o++ = static_cast<char>(c);
            ++p;
            continue;
        }
        if (kind != kEscape)
            break;
        const int hi = t.hex[p[1]];
        if (hi < 0)
            return nullptr;
        const int lo = t.hex[p[2]];
        if (lo < 0)
            return nullptr;
        const char decoded = static_cast<char>(hi * 16 + lo);
        nul |= decoded == '\0';
        *o++ = decoded;
        p += 3;
    }
    out = o;
    return p;
}

bool HasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

// The header fields that hold numbers (mode, port, enc, n).
bool IsNumberField(int field) {
    return field == msgdata::kMode || field == msgdata::kPort || field == msgdata::kEncrypted ||
           field == msgdata::kCount;
}

// Reads "name=" and its value. A header text is decoded and never contains a
// NUL; a number is taken raw, as the renderer writes it: an escape in it is
// not a digit, so it fails to read as a number.
bool ReadField(Cursor& in, int field, std::string& value) {
    if (field > 0 && !in.Take(msgdata::kPairSep))
        return false;
    if (!in.Take(msgdata::kHeaderNames[field]) || !in.Take(msgdata::kKeySep))
        return false;
    if (IsNumberField(field)) {
        in.RawToken(value);
        return true;
    }
    return in.Token(value) && !HasNul(value);
}

// Reads a header number in the one form the renderer writes: "0", or a digit
// 1 to 9 followed by digits, with a '-' before a number other than 0 where T
// is signed; within T's range. So "01", "-0" and "00" are refused.
template <typename T> bool ReadHeaderNumber(const std::string& text, T& value) {
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == first || (text[first] == '0' && (first == 1 || text.size() > 1)))
        return false;
    return msgdata::ParseInteger(text.data(), text.size(), value);
}

} // namespace

// Reads the header fields in their fixed order, then the declared number of
// keyed values and the optional data block. Fails on any deviation, so a
// message cut short or with a value too many or too few never reads.
bool CKelpParser::Impl::Read(const char* text, std::size_t length) {
    const std::size_t magicLength = sizeof msgdata::kMagic - 1;
    if (length <= magicLength || text[length - 1] != msgdata::kEnd)
        return false;
    Cursor in(text, text + length - 1);
    if (!in.Take(msgdata::kMagic))
        return false;

    std::string fields[msgdata::kHeaderFieldCount];
    for (int i = 0; i < msgdata::kHeaderFieldCount; ++i)
        if (!ReadField(in, i, fields[i]))
            return false;
    std::uint32_t count = 0;
    const std::string& enc = fields[msgdata::kEncrypted];
    if (!ReadHeaderNumber(fields[msgdata::kMode], mode) ||
        !ReadHeaderNumber(fields[msgdata::kPort], port) ||
        !ReadHeaderNumber(fields[msgdata::kCount], count) ||
        count > static_cast<std::uint32_t>(kMaxItemCount) || (enc != "0" && enc != "1"))
        return false;
    service.swap(fields[msgdata::kService]);
    command.swap(fields[msgdata::kCommand]);
    target.swap(fields[msgdata::kTarget]);
    ipAddress.swap(fields[msgdata::kIPAddress]);
    encrypted = enc == "1";

    if (in.Take(msgdata::kItemsStart)) {
        // The values run up to the end mark, which ScanToken relies on
        // (Read checked it is the last byte). n values take at least 3n - 1
        // bytes ("k=" each and "&" between), so a header declaring more than
        // the rest can hold is refused before anything is stored.
        const std::size_t remaining = in.Remaining();
        if (count == 0 || count > (remaining + 1) / 3)
            return false;
        items.resize(count); // filled in below; a failed reading drops them
        // Every key and text decodes to at most its escaped length, and the
        // NULs fit in the bytes of the "=" and "&" after them, but for the
        // last text's: one block of the rest + 1 bytes, never reallocated,
        // holds them all.
        readTexts.reset(new char[remaining + 1]);
        char* out = readTexts.get();
        const ScanTables& tables = Tables();
        const unsigned char* p = reinterpret_cast<const unsigned char*>(in.Position());
        for (std::uint32_t i = 0; i < count; ++i) {
            if (i > 0 && *p++ != msgdata::kPairSep)
                return false;
            Item& item = items[i];
            bool nul = false;
            char* const key = out;
            p = ScanToken(tables, p, out, nul);
            if (!p || out == key || nul || *p != msgdata::kKeySep)
                return false;
            ++p;
            item.keyLength = static_cast<std::uint32_t>(out - key);
            *out++ = '\0';
            item.value = out;
            p = ScanToken(tables, p, out, nul);
            if (!p)
                return false;
            item.length = static_cast<std::uint32_t>(out - item.value);
            *out++ = '\0';
            contentBytes += item.keyLength + item.length;
        }
        in.Seek(reinterpret_cast<const char*>(p));
    }
    if (items.size() != count)
        return false;

    if (in.Take(msgdata::kDataStart) && (!in.Token(data) || data.empty()))
        return false;
    contentBytes += data.size();
    return in.AtEnd();
}

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

    // Consumes one escaped token like Token above and decodes it into out,
    // which holds outCap bytes; written receives the decoded length.
    bool Token(char* out, std::size_t outCap, std::size_t& written) {
        const char* start = m_p;
        while (m_p != m_end && !IsSeparator(*m_p))
            ++m_p;
        return PercentCodec::Message().Decode(start, static_cast<std::size_t>(m_p - start), out,
                                              outCap, &written);
    }

    std::size_t Remaining() const { return static_cast<std::size_t>(m_end - m_p); }

private:
    static bool IsSeparator(char c) {
        return c == msgdata::kPairSep || c == msgdata::kKeySep || c == msgdata::kItemsStart ||
               c == msgdata::kDataStart || c == msgdata::kEnd;
    }

    const char* m_p;   // next byte to read
    const char* m_end; // one past the last byte
};

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
        // Each value takes at least two bytes ("k="), which bounds the
        // reservation whatever the header declares.
        items.reserve(std::min<std::size_t>(count, in.Remaining() / 2 + 1));
        // Every value's text decodes to at most its escaped length, and its
        // NUL fits in the byte of its key's "=", so the rest of the message
        // bounds all of them: one block, never reallocated, holds them.
        std::size_t capacity = in.Remaining();
        readValues.reset(new char[capacity]);
        std::size_t used = 0;
        do {
            Item item;
            std::size_t written = 0;
            if (items.size() >= count || !in.Token(item.key) || item.key.empty() ||
                HasNul(item.key) || !in.Take(msgdata::kKeySep) ||
                !in.Token(&readValues[used], capacity - used - 1, written))
                return false;
            item.value = &readValues[used];
            item.length = written;
            item.value[written] = '\0';
            used += written + 1;
            contentBytes += item.key.size() + written;
            items.push_back(std::move(item));
        } while (in.Take(msgdata::kPairSep));
    }
    if (items.size() != count)
        return false;

    if (in.Take(msgdata::kDataStart) && (!in.Token(data) || data.empty()))
        return false;
    contentBytes += data.size();
    return in.AtEnd();
}

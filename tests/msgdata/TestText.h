// Helpers shared by the msgdata tests.
#pragma once

#include "KelpParser.h"

#include <cstring>
#include <memory>
#include <string>

// A copy of text in a heap block of exactly its length, without a NUL, so
// that the address sanitizer reports any read past the end.
class ExactBuffer {
public:
    explicit ExactBuffer(const std::string& text)
        : m_size(static_cast<int>(text.size())), m_p(new char[text.size() ? text.size() : 1]) {
        if (!text.empty())
            std::memcpy(m_p.get(), text.data(), text.size());
    }
    const char* data() const { return m_p.get(); }
    int size() const { return m_size; }

private:
    int m_size;
    std::unique_ptr<char[]> m_p;
};

// Reads text given with its exact length (an empty text as "", since a
// length of 0 means a NUL-terminated text).
inline std::unique_ptr<CKelpParser> ReadExact(const std::string& text) {
    if (text.empty())
        return std::unique_ptr<CKelpParser>(new CKelpParser("", 0, nullptr));
    ExactBuffer buffer(text);
    return std::unique_ptr<CKelpParser>(new CKelpParser(buffer.data(), buffer.size(), nullptr));
}

// The rendered text of a parser, or "<none>" when it does not render.
inline std::string Rendered(const CKelpParser& parser) {
    char* text = nullptr;
    int length = 0;
    if (!parser.GetURL(text, length))
        return "<none>";
    return std::string(text, static_cast<std::size_t>(length));
}

// The first value of key as a string, or "<none>".
inline std::string TextOf(const CKelpParser& parser, const char* key) {
    char* text = nullptr;
    int length = 0;
    if (!parser.GetValue(key, text, length))
        return "<none>";
    return std::string(text, static_cast<std::size_t>(length));
}

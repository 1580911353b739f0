// CKelpParser: construction, header, keyed values and the data block.
// Reading lives in KelpRead.cpp, rendering in KelpRender.cpp.
#include "KelpParserImpl.h"

#include "NumberText.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

static_assert(sizeof(int) == 4 && sizeof(long long) == 8 && sizeof(unsigned short) == 2,
              "message numbers assume 32-bit int, 64-bit long long, 16-bit short");

namespace {

// Below this many values a linear search beats building the key index.
const std::size_t kIndexThreshold = 16;

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

// Length of a NUL-terminated text, or max + 1 when it is longer than max;
// never reads past the NUL.
std::size_t BoundedLength(const char* text, std::size_t max) {
    std::size_t n = 0;
    while (n <= max && text[n] != '\0')
        ++n;
    return n;
}

// Reads the first value of key as a T through the strict number rules.
template <typename T> int GetNumber(const CKelpParser& parser, const char* key, T& value) {
    char* text = nullptr;
    int length = 0;
    if (!parser.GetValue(key, text, length))
        return 0;
    return msgdata::ParseInteger(text, static_cast<std::size_t>(length), value) ? 1 : 0;
}

} // namespace

// ---- Impl: the value list and its key index ----

// First entry of key, or null.
CKelpParser::Impl::Item* CKelpParser::Impl::Find(const char* key) {
    if (items.size() <= kIndexThreshold) {
        for (Item& item : items)
            if (item.key == key)
                return &item;
        return nullptr;
    }
    if (!indexFresh) {
        index.clear();
        index.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            index.emplace(items[i].key, static_cast<std::uint32_t>(i)); // keeps the first
        indexFresh = true;
    }
    auto it = index.find(key);
    return it == index.end() ? nullptr : &items[it->second];
}

// Appends one entry after checking the key and the limits.
int CKelpParser::Impl::Add(const char* key, const char* value, std::size_t length) {
    if (!valid || !key || !*key || items.size() >= static_cast<std::size_t>(kMaxItemCount))
        return 0;
    // Every byte renders as at least one byte, so more could never be sent.
    std::size_t keyLength = std::strlen(key);
    std::size_t room = static_cast<std::size_t>(kMaxMessageSize) - contentBytes;
    if (keyLength > room || length > room - keyLength)
        return 0;
    // The text gets a block of its own, so it stays where it is however the
    // entries move.
    Item item;
    item.key.assign(key, keyLength);
    item.owns.reset(new char[length + 1]);
    item.value = item.owns.get();
    item.length = length;
    if (length > 0)
        std::memcpy(item.value, value, length);
    item.value[length] = '\0';
    items.push_back(std::move(item));
    contentBytes += keyLength + length;
    if (indexFresh)
        index.emplace(items.back().key, static_cast<std::uint32_t>(items.size() - 1));
    Changed();
    return 1;
}

// Removes every entry of key; 0 when there was none.
int CKelpParser::Impl::Remove(const char* key) {
    if (!valid || !key)
        return 0;
    std::size_t removedBytes = 0;
    for (const Item& item : items)
        if (item.key == key)
            removedBytes += item.key.size() + item.length;
    auto end = std::remove_if(items.begin(), items.end(),
                              [key](const Item& item) { return item.key == key; });
    if (end == items.end())
        return 0;
    items.erase(end, items.end());
    contentBytes -= removedBytes;
    index.clear();
    indexFresh = false;
    Changed();
    return 1;
}

// ---- construction ----

CKelpParser::CKelpParser(const char* text, int length, const char* /*key*/) : m_pImpl(new Impl) {
    if (!text || length < 0 || length > kMaxMessageSize)
        return;
    std::size_t n = static_cast<std::size_t>(length);
    if (n == 0) {
        n = BoundedLength(text, kMaxMessageSize);
        if (n > static_cast<std::size_t>(kMaxMessageSize))
            return;
    }
    m_pImpl->valid = m_pImpl->Read(text, n);
    if (!m_pImpl->valid)
        *m_pImpl = Impl(); // a failed reading answers nothing
}

CKelpParser::CKelpParser(const char* service, const char* command, const char* target, int mode,
                         const char* ipAddress, unsigned short port)
    : m_pImpl(new Impl) {
    m_pImpl->valid = true;
    m_pImpl->service = TextOrEmpty(service);
    m_pImpl->command = TextOrEmpty(command);
    m_pImpl->target = TextOrEmpty(target);
    m_pImpl->ipAddress = TextOrEmpty(ipAddress);
    m_pImpl->mode = mode;
    m_pImpl->port = port;
}

CKelpParser::~CKelpParser() {
    delete m_pImpl;
}

// ---- header ----

int CKelpParser::IsValid() const {
    return m_pImpl->valid ? 1 : 0;
}
int CKelpParser::IsEncrypted() const {
    return m_pImpl->encrypted ? 1 : 0;
}
const char* CKelpParser::GetService() const {
    return m_pImpl->service.c_str();
}
const char* CKelpParser::GetCommand() const {
    return m_pImpl->command.c_str();
}
const char* CKelpParser::GetTarget() const {
    return m_pImpl->target.c_str();
}
const char* CKelpParser::GetIPAddress() const {
    return m_pImpl->ipAddress.c_str();
}
int CKelpParser::GetMode() const {
    return m_pImpl->mode;
}
unsigned short CKelpParser::GetPort() const {
    return m_pImpl->port;
}
int CKelpParser::GetItemCount() const {
    return static_cast<int>(m_pImpl->items.size());
}

int CKelpParser::SetEncrypted(int encrypted) {
    if (!m_pImpl->valid)
        return 0;
    m_pImpl->encrypted = encrypted != 0;
    m_pImpl->Changed();
    return 1;
}

// ---- adding values: numbers become their canonical text ----

int CKelpParser::AddValue(const char* key, int value) {
    std::string text;
    msgdata::AppendInteger(text, value);
    return m_pImpl->Add(key, text.data(), text.size());
}

int CKelpParser::AddValue(const char* key, unsigned int value) {
    std::string text;
    msgdata::AppendInteger(text, value);
    return m_pImpl->Add(key, text.data(), text.size());
}

int CKelpParser::AddValue(const char* key, long long value) {
    std::string text;
    msgdata::AppendInteger(text, value);
    return m_pImpl->Add(key, text.data(), text.size());
}

int CKelpParser::AddValue(const char* key, unsigned long long value) {
    std::string text;
    msgdata::AppendInteger(text, value);
    return m_pImpl->Add(key, text.data(), text.size());
}

int CKelpParser::AddValue(const char* key, unsigned short value) {
    std::string text;
    msgdata::AppendInteger(text, value);
    return m_pImpl->Add(key, text.data(), text.size());
}

int CKelpParser::AddValue(const char* key, double value) {
    std::string text;
    msgdata::AppendDouble(text, value);
    return m_pImpl->Add(key, text.data(), text.size());
}

int CKelpParser::AddValue(const char* key, const char* text, int length) {
    if (!text || length < 0)
        return 0;
    std::size_t n = static_cast<std::size_t>(length);
    if (n == 0)
        n = BoundedLength(text, kMaxMessageSize);
    return m_pImpl->Add(key, text, n);
}

// ---- replacing and removing ----

int CKelpParser::SetValue(const char* key, int value) {
    DelKey(key);
    return AddValue(key, value);
}

int CKelpParser::SetValue(const char* key, unsigned int value) {
    DelKey(key);
    return AddValue(key, value);
}

int CKelpParser::SetValue(const char* key, long long value) {
    DelKey(key);
    return AddValue(key, value);
}

int CKelpParser::SetValue(const char* key, unsigned long long value) {
    DelKey(key);
    return AddValue(key, value);
}

int CKelpParser::SetValue(const char* key, unsigned short value) {
    DelKey(key);
    return AddValue(key, value);
}

int CKelpParser::SetValue(const char* key, double value) {
    DelKey(key);
    return AddValue(key, value);
}

int CKelpParser::SetValue(const char* key, const char* text, int length) {
    DelKey(key);
    return AddValue(key, text, length);
}

int CKelpParser::DelKey(const char* key) {
    return m_pImpl->Remove(key);
}

// ---- the data block ----

int CKelpParser::AddData(const void* block, int size) {
    if (!m_pImpl->valid || size < 0 || (size > 0 && !block) ||
        static_cast<std::size_t>(size) >
            static_cast<std::size_t>(kMaxMessageSize) - m_pImpl->contentBytes)
        return 0;
    m_pImpl->data.append(static_cast<const char*>(block), static_cast<std::size_t>(size));
    m_pImpl->contentBytes += static_cast<std::size_t>(size);
    m_pImpl->Changed();
    return 1;
}

int CKelpParser::SetData(const void* block, int size) {
    DelData();
    return AddData(block, size);
}

int CKelpParser::DelData() {
    if (!m_pImpl->valid || m_pImpl->data.empty())
        return 0;
    m_pImpl->contentBytes -= m_pImpl->data.size();
    m_pImpl->data.clear();
    m_pImpl->Changed();
    return 1;
}

int CKelpParser::GetData(char*& block, int& size) const {
    if (!m_pImpl->valid || m_pImpl->data.empty())
        return 0;
    block = &m_pImpl->data[0];
    size = static_cast<int>(m_pImpl->data.size());
    return 1;
}

// ---- reading values ----

int CKelpParser::GetValue(const char* key, char*& text, int& length) const {
    if (!m_pImpl->valid || !key)
        return 0;
    Impl::Item* item = m_pImpl->Find(key);
    if (!item)
        return 0;
    text = item->value; // followed by a NUL
    length = static_cast<int>(item->length);
    return 1;
}

int CKelpParser::GetValue(const char* key, int& value) const {
    return GetNumber(*this, key, value);
}

int CKelpParser::GetValue(const char* key, unsigned int& value) const {
    return GetNumber(*this, key, value);
}

int CKelpParser::GetValue(const char* key, long long& value) const {
    return GetNumber(*this, key, value);
}

int CKelpParser::GetValue(const char* key, unsigned long long& value) const {
    return GetNumber(*this, key, value);
}

int CKelpParser::GetValue(const char* key, unsigned short& value) const {
    return GetNumber(*this, key, value);
}

int CKelpParser::GetValue(const char* key, double& value) const {
    char* text = nullptr;
    int length = 0;
    if (!GetValue(key, text, length))
        return 0;
    return msgdata::ParseDouble(text, static_cast<std::size_t>(length), value) ? 1 : 0;
}

// ---- rendering ----

int CKelpParser::GetURL(char*& text, int& length) const {
    if (!m_pImpl->valid)
        return 0;
    if (!m_pImpl->urlFresh && !m_pImpl->Render())
        return 0;
    text = &m_pImpl->url[0];
    length = static_cast<int>(m_pImpl->url.size());
    return 1;
}

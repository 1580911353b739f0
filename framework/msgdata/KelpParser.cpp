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
// A slot's low bits: an entry's position + 1 (kMaxItemCount + 1 fits).
const unsigned kSlotIndexBits = 19;
const std::uint32_t kSlotIndexMask = (1u << kSlotIndexBits) - 1;
static_assert(CKelpParser::kMaxItemCount < (1 << kSlotIndexBits), "slot index bits");

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

// Length of a NUL-terminated text, or max + 1 when it is longer than max;
// never reads past the NUL (memchr stops at the first match).
std::size_t BoundedLength(const char* text, std::size_t max) {
    const void* nul = std::memchr(text, '\0', max + 1);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : max + 1;
}

// A hash of n bytes, 8 at a time; only ever compared within one process.
std::uint64_t HashBytes(const char* p, std::size_t n, std::uint64_t seed) {
    const std::uint64_t k1 = 0x9E3779B97F4A7C15ull, k2 = 0xBF58476D1CE4E5B9ull;
    std::uint64_t h = seed ^ (n * k1);
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * k2;
        h ^= h >> 31;
    }
    // The last 0 to 7 bytes, without a loop: two 4-byte words that may
    // overlap, or the first, middle and last byte.
    std::uint64_t w = 0;
    if (n >= 4) {
        std::uint32_t a, b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        w = a | static_cast<std::uint64_t>(b) << 32;
    } else if (n > 0) {
        const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
        w = u[0] | static_cast<std::uint64_t>(u[n / 2]) << 8 |
            static_cast<std::uint64_t>(u[n - 1]) << 16;
    }
    h = (h ^ w) * 0x94D049BB133111EBull;
    h ^= h >> 29;
    h *= k2;
    return h ^ (h >> 32);
}

// Asks the processor to fetch the line at p, which will be needed soon.
void Prefetch(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// The bits of a hash a slot keeps above the entry's position.
std::uint32_t SlotTag(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash >> 32) & ~kSlotIndexMask;
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

bool CKelpParser::Impl::Item::IsKey(const char* text) const {
    const char* k = Key();
    for (std::uint32_t i = 0; i < keyLength; ++i)
        if (k[i] != text[i])
            return false; // also at text's NUL, since keys hold none
    return text[keyLength] == '\0';
}

bool CKelpParser::Impl::Item::HasKey(const char* text, std::size_t n) const {
    if (keyLength != n)
        return false;
    // Keys are short: compared 8 bytes at a time in line, the rest by byte.
    const char* k = Key();
    for (; n >= 8; k += 8, text += 8, n -= 8) {
        std::uint64_t a, b;
        std::memcpy(&a, k, 8);
        std::memcpy(&b, text, 8);
        if (a != b)
            return false;
    }
    for (; n > 0; ++k, ++text, --n)
        if (*k != *text)
            return false;
    return true;
}

CKelpParser::Impl::~Impl() {
    for (Item& item : items)
        if (item.owned)
            delete[] item.Key();
}

// Sizes the table for the entries and enters each, the first of a key only.
void CKelpParser::Impl::BuildIndex() {
    std::size_t size = 32;
    while (size < 2 * items.size())
        size *= 2;
    slots.assign(size, 0);
    if (seed == 0)
        seed = HashBytes("", 0, reinterpret_cast<std::uintptr_t>(this)) | 1;
    // The slots are met in no order, so each is fetched from memory a few
    // entries ahead of its insertion: the hashes wait in a small ring.
    const std::size_t kAhead = 8;
    std::uint64_t ahead[kAhead];
    const std::size_t n = items.size();
    for (std::size_t i = 0; i < n + kAhead; ++i) {
        if (i >= kAhead)
            Insert(i - kAhead, ahead[i % kAhead]);
        if (i < n) {
            ahead[i % kAhead] = HashOf(items[i]);
            Prefetch(&slots[static_cast<std::size_t>(ahead[i % kAhead]) & (size - 1)]);
        }
    }
    indexFresh = true;
}

std::uint64_t CKelpParser::Impl::HashOf(const Item& item) const {
    return HashBytes(item.Key(), item.keyLength, seed);
}

void CKelpParser::Impl::Insert(std::size_t i, std::uint64_t hash) {
    Item& item = items[i];
    const std::uint32_t tag = SlotTag(hash);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t s = static_cast<std::size_t>(hash) & mask;; s = (s + 1) & mask) {
        const std::uint32_t slot = slots[s];
        if (slot == 0) {
            slots[s] = tag | static_cast<std::uint32_t>(i + 1);
            item.first = 1;
            return;
        }
        if ((slot & ~kSlotIndexMask) == tag &&
            items[(slot & kSlotIndexMask) - 1].HasKey(item.Key(), item.keyLength)) {
            item.first = 0;
            return;
        }
    }
}

// First entry of key, or null.
CKelpParser::Impl::Item* CKelpParser::Impl::Find(const char* key) {
    if (items.size() <= kIndexThreshold) {
        for (Item& item : items)
            if (item.IsKey(key))
                return &item;
        return nullptr;
    }
    if (!indexFresh)
        BuildIndex();
    if (next < items.size() && items[next].first && items[next].IsKey(key))
        return &items[next++];
    if (other < items.size() && items[other].first && items[other].IsKey(key)) {
        std::swap(next, other);
        return &items[next++];
    }
    const std::size_t keyLength = std::strlen(key);
    const std::uint64_t hash = HashBytes(key, keyLength, seed);
    const std::uint32_t tag = SlotTag(hash);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t s = static_cast<std::size_t>(hash) & mask;; s = (s + 1) & mask) {
        const std::uint32_t slot = slots[s];
        if (slot == 0)
            return nullptr;
        const std::size_t i = (slot & kSlotIndexMask) - 1;
        if ((slot & ~kSlotIndexMask) == tag && items[i].HasKey(key, keyLength)) {
            other = next;
            next = i + 1;
            return &items[i];
        }
    }
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
    // Key and text get one block of their own, so they stay where they are
    // however the entries move.
    std::unique_ptr<char[]> block(new char[keyLength + 1 + length + 1]);
    std::memcpy(block.get(), key, keyLength + 1);
    Item item;
    item.keyLength = static_cast<std::uint32_t>(keyLength);
    item.value = block.get() + keyLength + 1;
    item.length = static_cast<std::uint32_t>(length);
    item.owned = 1;
    if (length > 0)
        std::memcpy(item.value, value, length);
    item.value[length] = '\0';
    items.push_back(item);
    block.release(); // the entry owns it now
    contentBytes += keyLength + length;
    if (indexFresh) {
        if (2 * items.size() > slots.size())
            indexFresh = false; // rebuilt larger on the next lookup
        else
            Insert(items.size() - 1, HashOf(items.back()));
    }
    Changed();
    return 1;
}

// Removes every entry of key; 0 when there was none.
int CKelpParser::Impl::Remove(const char* key) {
    if (!valid || !key)
        return 0;
    const std::size_t keyLength = std::strlen(key);
    std::size_t removedBytes = 0;
    bool found = false;
    for (Item& item : items) {
        if (!item.HasKey(key, keyLength))
            continue;
        found = true;
        removedBytes += item.keyLength + item.length;
        if (item.owned)
            delete[] item.Key();
        item.value = nullptr;
    }
    if (!found)
        return 0;
    // Entries are plain pointers and lengths: moving them moves no text.
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const Item& item) { return item.value == nullptr; }),
                items.end());
    contentBytes -= removedBytes;
    indexFresh = false;
    next = other = 0;
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
    if (!m_pImpl->valid) { // a failed reading answers nothing
        Impl* empty = new Impl;
        delete m_pImpl;
        m_pImpl = empty;
    }
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

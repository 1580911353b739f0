// EncodeInt and EncodeLongLong: XOR masking with a fresh salt per write.
#include "EncodeValue.h"

#include <atomic>

namespace {

// A new 64-bit salt for every write: a counter stepped by the golden ratio
// and stirred (splitmix64), shared by all threads.
std::uint64_t NextSalt() {
    static std::atomic<std::uint64_t> counter{0x2545F4914F6CDD1DULL};
    std::uint64_t z = counter.fetch_add(0x9E3779B97F4A7C15ULL, std::memory_order_relaxed);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

EncodeInt::EncodeInt() {
    Set(0);
}
EncodeInt::EncodeInt(int value) {
    Set(value);
}
EncodeInt::EncodeInt(const EncodeInt& other) {
    Set(other.Get());
}

EncodeInt& EncodeInt::operator=(const EncodeInt& other) {
    Set(other.Get());
    return *this;
}

EncodeInt& EncodeInt::operator=(int value) {
    Set(value);
    return *this;
}

int EncodeInt::Get() const {
    return static_cast<int>(m_nCoded ^ m_nSalt);
}

void EncodeInt::Set(int value) {
    m_nSalt = static_cast<std::uint32_t>(NextSalt());
    m_nCoded = static_cast<std::uint32_t>(value) ^ m_nSalt;
}

EncodeLongLong::EncodeLongLong() {
    Set(0);
}
EncodeLongLong::EncodeLongLong(long long value) {
    Set(value);
}
EncodeLongLong::EncodeLongLong(const EncodeLongLong& other) {
    Set(other.Get());
}

EncodeLongLong& EncodeLongLong::operator=(const EncodeLongLong& other) {
    Set(other.Get());
    return *this;
}

EncodeLongLong& EncodeLongLong::operator=(long long value) {
    Set(value);
    return *this;
}

long long EncodeLongLong::Get() const {
    return static_cast<long long>(m_nCoded ^ m_nSalt);
}

void EncodeLongLong::Set(long long value) {
    m_nSalt = NextSalt();
    m_nCoded = static_cast<std::uint64_t>(value) ^ m_nSalt;
}

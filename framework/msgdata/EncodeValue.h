// EncodeInt and EncodeLongLong: integers that are never kept in memory in
// their plain form, so that a memory scanner looking for a known score or
// amount does not find them. Host records hold them as members.
//
// Each object keeps its value XOR-masked with a salt of its own; every write
// (construction, assignment, Set) takes a fresh salt. Copying therefore goes
// through the copy operations, which re-encode the value for the new object;
// a byte copy of the whole object still reads correctly, only with the
// same pattern. This hides values, it does not protect them.
#pragma once

#include "MsgDataApi.h"

#include <cstdint>

class MSGDATA_API EncodeInt {
public:
    EncodeInt();
    EncodeInt(int value); // implicit: an EncodeInt stands where an int did
    EncodeInt(const EncodeInt& other);
    EncodeInt& operator=(const EncodeInt& other);
    EncodeInt& operator=(int value);

    int Get() const;
    void Set(int value);
    operator int() const { return Get(); }

private:
    std::uint32_t m_nSalt;  // mask of this write
    std::uint32_t m_nCoded; // the value XOR the mask
};

class MSGDATA_API EncodeLongLong {
public:
    EncodeLongLong();
    EncodeLongLong(long long value); // implicit, as EncodeInt
    EncodeLongLong(const EncodeLongLong& other);
    EncodeLongLong& operator=(const EncodeLongLong& other);
    EncodeLongLong& operator=(long long value);

    long long Get() const;
    void Set(long long value);
    operator long long() const { return Get(); }

private:
    std::uint64_t m_nSalt;  // mask of this write
    std::uint64_t m_nCoded; // the value XOR the mask
};

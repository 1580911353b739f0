// The state behind CKelpParser, shared by its building, reading and
// rendering code. Internal to msgdata.
#pragma once

#include "KelpParser.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CKelpParser::Impl {
    // One keyed value. Its key and text lie outside the entry, in storage
    // that never moves while the entry lives, so that a text handed out by
    // GetValue survives every later addition and removal of other entries:
    // the entries themselves move when the vector grows or shrinks.
    // Key and text lie together: the key, a NUL, the text and a NUL, so the
    // entry keeps only the text's place. An added entry owns such a block of
    // its own; a read entry points into readTexts, which the parser owns.
    struct Item {
        char* value = nullptr;        // length bytes, then a NUL; null: being removed
        std::uint32_t length = 0;     // bytes of value, without the NUL
        std::uint32_t keyLength : 30; // bytes of the key, without the NUL; never 0
        std::uint32_t owned : 1;      // 1: the key starts a block of its own
        std::uint32_t first : 1;      // 1: no earlier entry has this key (set with the index)
        Item() : keyLength(0), owned(0), first(0) {}
        // The key: keyLength bytes without a NUL, then a NUL.
        char* Key() const { return value - keyLength - 1; }
        // True when the key is the NUL-terminated text; reads no byte of
        // text past its NUL.
        bool IsKey(const char* text) const;
        // True when the key is the n bytes of text.
        bool HasKey(const char* text, std::size_t n) const;
    };

    Impl() = default;
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool valid = false;     // false: a reading that failed; nothing answers
    bool encrypted = false; // the header's encrypted flag
    std::string service;    // header texts, no NUL
    std::string command;
    std::string target;
    std::string ipAddress;
    std::int32_t mode = 0;
    std::uint16_t port = 0;
    std::vector<Item> items; // in the order added or read
    // The keys and texts of the values read from a message, each followed by
    // a NUL: one block sized by the reading and never reallocated, so reading
    // costs no allocation per value. A removed read value leaves its bytes
    // here until the parser dies; they never exceed the message's size.
    std::unique_ptr<char[]> readTexts;
    std::string data;             // the data block; empty: none
    std::size_t contentBytes = 0; // bytes of all keys, values and data

    // Open-addressing hash index of the first entry of each key, built on
    // the first lookup of a message with many values and rebuilt after a
    // removal. A slot holds 0 (empty) or the entry's position + 1 in its low
    // kSlotIndexBits bits and bits of the key's hash above them.
    std::vector<std::uint32_t> slots; // a power of two in size, at most half full
    std::uint64_t seed = 0;           // mixes each parser's hashes differently
    bool indexFresh = false;
    // The entry after the one found last, and the one that was so before
    // the last lookup through the index: readers mostly ask for the keys in
    // the order they were written, now and then for another key in between
    // (a common key in each channel's loop), and these two are tried before
    // the index. An entry is taken there only when it is the first of its
    // key, so what Find returns never depends on them.
    std::size_t next = 0;
    std::size_t other = 0;
    // The last rendering; dropped by every change.
    std::string url;
    bool urlFresh = false;

    Item* Find(const char* key);
    int Add(const char* key, const char* value, std::size_t length);
    int Remove(const char* key);
    void Changed() { urlFresh = false; }

    // Reads a whole message text; false when it is not one (KelpRead.cpp).
    bool Read(const char* text, std::size_t length);
    // Renders the message into url; false when too long (KelpRender.cpp).
    bool Render();

private:
    void BuildIndex();
    std::uint64_t HashOf(const Item& item) const;
    // Enters item i, whose key has the given hash, in the index unless an
    // earlier entry has its key; sets the item's first flag accordingly.
    void Insert(std::size_t i, std::uint64_t hash);
};

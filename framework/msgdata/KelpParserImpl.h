// The state behind CKelpParser, shared by its building, reading and
// rendering code. Internal to msgdata.
#pragma once

#include "KelpParser.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct CKelpParser::Impl {
    // One keyed value. Its text lies outside the entry, in storage that
    // never moves while the entry lives, so that a text handed out by
    // GetValue survives every later addition and removal of other entries:
    // the entries themselves move when the vector grows or shrinks.
    struct Item {
        std::string key;              // never empty, no NUL
        char* value = nullptr;        // length bytes, then a NUL
        std::size_t length = 0;       // bytes of value, without the NUL
        std::unique_ptr<char[]> owns; // value's storage when added; null when read
    };

    bool valid = false;     // false: a reading that failed; nothing answers
    bool encrypted = false; // the header's encrypted flag
    std::string service;    // header texts, no NUL
    std::string command;
    std::string target;
    std::string ipAddress;
    std::int32_t mode = 0;
    std::uint16_t port = 0;
    std::vector<Item> items; // in the order added or read
    // The texts of the values read from a message, each followed by a NUL:
    // one block sized by the reading and never reallocated, so reading costs
    // no allocation per value. A removed read value leaves its bytes here
    // until the parser dies; they never exceed the message's size.
    std::unique_ptr<char[]> readValues;
    std::string data;             // the data block; empty: none
    std::size_t contentBytes = 0; // bytes of all keys, values and data

    // Position of the first entry of each key; rebuilt after a removal.
    std::unordered_map<std::string, std::uint32_t> index;
    bool indexFresh = false;
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
};

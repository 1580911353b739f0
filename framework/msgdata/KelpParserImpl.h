// The state behind CKelpParser, shared by its building, reading and
// rendering code. Internal to msgdata.
#pragma once

#include "KelpParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct CKelpParser::Impl {
    // One keyed value, held as the bytes of its text.
    struct Item {
        std::string key;   // never empty, no NUL
        std::string value; // any bytes
    };

    bool valid = false;     // false: a reading that failed; nothing answers
    bool encrypted = false; // the header's encrypted flag
    std::string service;    // header texts, no NUL
    std::string command;
    std::string target;
    std::string ipAddress;
    std::int32_t mode = 0;
    std::uint16_t port = 0;
    std::vector<Item> items;      // in the order added or read
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

// Fuzz target: arbitrary bytes into the reading CKelpParser constructor.
// libFuzzer hands over a buffer of exactly the input's size, so the address
// sanitizer catches any read past the given length. Whatever reads as valid
// must answer every getter, render, and read back to the same rendering.
#include "KelpParser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Reads a few keys in every form, as the window and the tools do.
void ProbeValues(const CKelpParser& p) {
    const char* const keys[] = {G::keyResult, G::keyChannelNum, G::keySubId, G::keyGameId, "v"};
    for (const char* key : keys) {
        char* text = nullptr;
        int length = 0;
        if (p.GetValue(key, text, length) && (length < 0 || text[length] != '\0'))
            std::abort();
        int i = 0;
        unsigned short us = 0;
        long long ll = 0;
        unsigned long long ull = 0;
        double d = 0;
        p.GetValue(key, i);
        p.GetValue(key, us);
        p.GetValue(key, ll);
        p.GetValue(key, ull);
        p.GetValue(key, d);
    }
    char key[32];
    for (int n = 1; n <= 3; ++n) {
        std::snprintf(key, sizeof key, "%s%d", G::keyChannelId, n);
        char* text = nullptr;
        int length = 0;
        p.GetValue(key, text, length);
    }
}

// Parses size bytes; a valid message must render and read back unchanged.
void Check(const char* data, int size) {
    CKelpParser p(data, size, nullptr);
    if (!p.IsValid())
        return;
    ProbeValues(p);
    char* block = nullptr;
    int blockSize = 0;
    if (p.GetData(block, blockSize) && blockSize <= 0)
        std::abort();

    char* text = nullptr;
    int length = 0;
    if (!p.GetURL(text, length))
        std::abort();
    std::string first(text, static_cast<std::size_t>(length));
    CKelpParser again(first.data(), static_cast<int>(first.size()), nullptr);
    if (!again.IsValid() || again.GetItemCount() != p.GetItemCount() ||
        std::strcmp(again.GetService(), p.GetService()) != 0 ||
        std::strcmp(again.GetCommand(), p.GetCommand()) != 0 ||
        std::strcmp(again.GetTarget(), p.GetTarget()) != 0 ||
        std::strcmp(again.GetIPAddress(), p.GetIPAddress()) != 0 ||
        again.GetMode() != p.GetMode() || again.GetPort() != p.GetPort() ||
        again.IsEncrypted() != p.IsEncrypted() || !again.GetURL(text, length) ||
        first != std::string(text, static_cast<std::size_t>(length)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > static_cast<std::size_t>(CKelpParser::kMaxMessageSize))
        return 0;
    Check(reinterpret_cast<const char*>(data), static_cast<int>(size));
    // The same bytes as a NUL-terminated text (up to the first NUL).
    std::string terminated(reinterpret_cast<const char*>(data), size);
    Check(terminated.c_str(), 0);
    return 0;
}

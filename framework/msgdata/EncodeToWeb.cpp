// CEncodeToWeb: percent coding with the URL-safe byte set.
#include "EncodeToWeb.h"

#include "PercentCodec.h"

#include <cstring>

using msgdata::PercentCodec;

int CEncodeToWeb::packString(const char* text, int length, char* out, int outSize) {
    if (!out || outSize <= 0)
        return 0;
    if (!text || length < 0) {
        out[0] = '\0';
        return 0;
    }
    std::size_t n = length ? static_cast<std::size_t>(length) : std::strlen(text);
    return PercentCodec::Web().Write(text, n, out, static_cast<std::size_t>(outSize)) ? 1 : 0;
}

int CEncodeToWeb::unpackString(const char* text, char* out, int outSize) {
    if (!out || outSize <= 0)
        return 0;
    out[0] = '\0';
    if (!text)
        return 0;
    std::size_t written = 0;
    std::size_t cap = static_cast<std::size_t>(outSize) - 1; // room for the NUL
    if (!PercentCodec::Web().Decode(text, std::strlen(text), out, cap, &written) ||
        std::memchr(out, '\0', written)) {
        out[0] = '\0';
        return 0;
    }
    out[written] = '\0';
    return 1;
}

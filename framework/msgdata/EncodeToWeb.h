// CEncodeToWeb: a reversible text coding for values that travel inside
// comma-separated lines, URLs or file names, such as server addresses in
// channel-group catalogues. Letters, digits and - . _ ~ stand for
// themselves; every other byte becomes '%' and two upper-case hex digits
// ("10.0.0.1:7000" -> "10.0.0.1%3A7000"). Encoded text never holds a
// comma, a space or a byte above 0x7E.
#pragma once

#include "MsgDataApi.h"

class MSGDATA_API CEncodeToWeb {
public:
    // Encodes length bytes of text (0: up to the NUL) into out, a buffer of
    // outSize bytes, with a NUL. Returns 0, leaving out empty, when the
    // result does not fit or an argument is null or negative.
    static int packString(const char* text, int length, char* out, int outSize);

    // Decodes the NUL-terminated encoded text into out, a buffer of outSize
    // bytes, with a NUL; never writes past outSize. Returns 0, leaving out
    // empty, for a malformed text (a bad escape, a byte that should have
    // been encoded, an encoded NUL) or when the result does not fit.
    static int unpackString(const char* text, char* out, int outSize);
};

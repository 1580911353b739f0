// TsCopyField: the one way the plug-in copies outside text (catalogue
// tokens, server replies) into the fixed-width character arrays of its
// records. Every filler goes through it, so no field can be written past
// its end whatever the source holds.
#pragma once

#include <windows.h>
#include <stddef.h>

// Copies the NUL-terminated multi-byte text src into dst, which holds
// nSize bytes (nSize - 1 characters and the terminating NUL). A null src
// gives an empty field. Text longer than the field is cut at the field's
// width, never inside a double-byte character of the ANSI code page: a
// lead byte whose trail byte would not fit, or is missing, is left out.
// dst is always NUL-terminated. Returns 1 when the whole text was stored,
// 0 when it was cut (or dst has no room at all).
inline int TsCopyBounded(char* dst, size_t nSize, const char* src) {
    if (dst == NULL || nSize == 0)
        return 0;
    size_t nLen = 0;
    if (src != NULL) {
        while (src[nLen] != '\0') {
            const size_t nChar = IsDBCSLeadByte((BYTE)src[nLen]) ? 2 : 1;
            if (nChar == 2 && src[nLen + 1] == '\0')
                break; // a lone lead byte at the end is half a character
            if (nLen + nChar > nSize - 1)
                break;
            dst[nLen] = src[nLen];
            if (nChar == 2)
                dst[nLen + 1] = src[nLen + 1];
            nLen += nChar;
        }
    }
    dst[nLen] = '\0';
    return (src == NULL || src[nLen] == '\0') ? 1 : 0;
}

// The field's width comes from its array type, so a caller cannot pass a
// wrong size.
template <size_t N> inline int TsCopyField(char (&dst)[N], const char* src) {
    return TsCopyBounded(dst, N, src);
}

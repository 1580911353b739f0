// TsMbcsCut: cutting multi-byte text of the ANSI code page on character
// boundaries, for the framework libraries that keep outside text bounded.
// The rule is the plug-in's field copy (listview/TsCopyField.h): a cut never
// keeps the lead byte of a double-byte character without its trail byte,
// and a lead byte whose trail byte is missing (the text ends after it) is
// half a character and is left out too. IsDBCSLeadByte, and so the ANSI
// code page, decides which bytes are lead bytes. Header only; included by
// path from the libraries that use it.
#pragma once

#include <windows.h>

#include <stddef.h>

// Bytes of the character that starts at p: 2 for a lead byte followed by its
// trail byte, 1 for any other byte, 0 at the terminating NUL and for a lead
// byte followed by the NUL.
inline size_t TsMbcsCharSize(const char* p) {
    if (*p == '\0') {
        return 0;
    }
    if (IsDBCSLeadByte(static_cast<BYTE>(*p))) {
        return p[1] != '\0' ? 2 : 0;
    }
    return 1;
}

// Length of the longest start of the NUL-terminated text that holds at most
// nMax bytes and ends between two characters. A null text has length 0.
inline size_t TsMbcsCutLength(const char* text, size_t nMax) {
    size_t nLength = 0;
    if (text == NULL) {
        return 0;
    }
    for (;;) {
        size_t nChar = TsMbcsCharSize(text + nLength);
        if (nChar == 0 || nLength + nChar > nMax) {
            return nLength;
        }
        nLength += nChar;
    }
}

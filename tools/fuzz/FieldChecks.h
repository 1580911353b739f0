// Checks shared by the fuzzers of the plug-in's plain logic: what a
// fixed-width field filled from outside text must look like.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include <windows.h>

inline void Require(bool bCondition) {
    if (!bCondition)
        std::abort();
}

// The field ends in a NUL within its width and never in half a double-byte
// character: every lead byte has its trail byte before the NUL.
template <std::size_t N> std::size_t CheckFieldShape(const char (&field)[N]) {
    const void* pNul = std::memchr(field, '\0', N);
    Require(pNul != nullptr);
    const std::size_t nLength = static_cast<const char*>(pNul) - field;
    for (std::size_t i = 0; i < nLength; ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(field[i])))
            Require(++i < nLength);
    }
    return nLength;
}

// The field holds as much of pszSource (null: nothing) as fits whole
// characters: a prefix of it that stops at its end, at a lone lead byte at
// its end, or where the next character would pass the field's width.
template <std::size_t N> void CheckFieldFrom(const char (&field)[N], const char* pszSource) {
    const std::size_t nLength = CheckFieldShape(field);
    if (pszSource == nullptr) {
        Require(nLength == 0);
        return;
    }
    Require(std::strncmp(field, pszSource, nLength) == 0 && std::strlen(pszSource) >= nLength);
    const char chNext = pszSource[nLength];
    if (chNext == '\0')
        return;
    if (IsDBCSLeadByte(static_cast<BYTE>(chNext)))
        Require(pszSource[nLength + 1] == '\0' || nLength + 2 > N - 1);
    else
        Require(nLength + 1 > N - 1);
}

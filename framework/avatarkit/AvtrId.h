// CAvtrId: the text that identifies a member's avatar, as the host's member
// record carries it. Kept bounded; the avatar's look is derived from it.
#pragma once

#include "AvatarKitApi.h"

class AVATARKIT_API CAvtrId {
public:
    // Longest id text kept, in bytes (the member record holds 200).
    enum : int { kMaxText = 200 };

    CAvtrId();

    // Keeps idText, cut to kMaxText bytes between characters of the ANSI
    // code page (a double-byte character that does not fit whole is left
    // out). bCompact asks to drop spaces, tabs and line breaks first (an id
    // copied from a wrapped text).
    // Returns 0, leaving the id empty, for a null or empty (after dropping)
    // text.
    int Set(const char* idText, bool bCompact);

    const char* GetText() const { return m_szText; }
    int IsEmpty() const { return m_szText[0] == '\0'; }

    // A 32-bit hash of the text; the same text always gives the same value.
    unsigned int GetHash() const;

private:
    char m_szText[kMaxText + 1]; // the id text, NUL-terminated
};

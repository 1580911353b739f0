// CAvtrId: bounded copy of an avatar id text.
#include "AvtrId.h"

#include "AvatarFigure.h"

#include <cstddef>

#include "../mbcs/TsMbcsCut.h"

CAvtrId::CAvtrId() {
    m_szText[0] = '\0';
}

// Copies whole characters while they fit in kMaxText bytes, leaving out
// white space when bCompact. A double-byte character is never split: its
// trail byte is never taken for white space, and one that does not fit
// whole (or lacks its trail byte) ends the copy.
int CAvtrId::Set(const char* idText, bool bCompact) {
    m_szText[0] = '\0';
    if (idText == nullptr)
        return 0;
    std::size_t n = 0;
    const char* p = idText;
    for (std::size_t nChar = TsMbcsCharSize(p); nChar != 0; p += nChar, nChar = TsMbcsCharSize(p)) {
        if (nChar == 1 && bCompact && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
            continue;
        if (n + nChar > static_cast<std::size_t>(kMaxText))
            break;
        for (std::size_t i = 0; i < nChar; ++i)
            m_szText[n++] = p[i];
    }
    m_szText[n] = '\0';
    return n > 0;
}

unsigned int CAvtrId::GetHash() const {
    return avatar::HashText(m_szText, 0);
}

// CAvtrId: bounded copy of an avatar id text.
#include "AvtrId.h"

#include "AvatarFigure.h"

CAvtrId::CAvtrId() {
    m_szText[0] = '\0';
}

// Copies at most kMaxText bytes, leaving out white space when bCompact.
int CAvtrId::Set(const char* idText, bool bCompact) {
    m_szText[0] = '\0';
    if (idText == nullptr)
        return 0;
    int n = 0;
    for (const char* p = idText; *p != '\0' && n < kMaxText; ++p) {
        if (bCompact && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
            continue;
        m_szText[n++] = *p;
    }
    m_szText[n] = '\0';
    return n > 0;
}

unsigned int CAvtrId::GetHash() const {
    return avatar::HashText(m_szText, 0);
}

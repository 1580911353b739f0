// CTsMember: the signed-in user, as the host knows it. Fixed NUL-terminated
// fields; a default object is all empty and level 0.
#pragma once

#include <string.h>

class CTsMember {
public:
    CTsMember() { Clear(); }

    void Clear() {
        memset(m_szId, 0, sizeof(m_szId));
        memset(m_szAvatar, 0, sizeof(m_szAvatar));
        memset(m_szNick, 0, sizeof(m_szNick));
        memset(m_szGrade, 0, sizeof(m_szGrade));
        m_nLevel = 0;
    }

    char m_szId[21];      // login id
    char m_szAvatar[201]; // avatar id text
    char m_szNick[31];    // display name
    char m_szGrade[2];    // one-letter grade code
    int m_nLevel;         // level, 32-bit
};

// CTsGameInfo: the game the lobby is open for. The channel list writes the
// game id of its start record into m_szGameId.
#pragma once

#include <string.h>

class CTsGameInfo {
public:
    CTsGameInfo() {
        memset(m_szGameId, 0, sizeof(m_szGameId));
        memset(m_szGameCode, 0, sizeof(m_szGameCode));
    }

    char m_szGameId[11];  // game id, e.g. "TETRIS"
    char m_szGameCode[8]; // category / catalogue section, e.g. "RNKTET"
};

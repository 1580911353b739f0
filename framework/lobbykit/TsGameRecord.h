// CTsGameRecord: the user's standing in the current game. Money and the game
// count are kept encoded (msgdata's EncodeLongLong / EncodeInt); copying the
// record copies member by member, so those go through their own copy
// operations and are re-encoded for the copy.
#pragma once

#include <EncodeValue.h>

class CTsGameRecord {
public:
    CTsGameRecord() : m_nRating(0), m_nRating2(0), m_llMoney(0LL), m_nGameCount(0) {}

    int m_nRating;            // rating, 32-bit
    int m_nRating2;           // second rating (a game's other ladder), 32-bit
    EncodeLongLong m_llMoney; // game money, encoded in memory
    EncodeInt m_nGameCount;   // games played, encoded in memory
};

// CTsTitleInfo: the title lines of the member panel and the ad page. The
// host sets the plain fields; the getters turn them into display texts.
// Like the host's other records it copies member by member (the host writes
// `*m_pTitleInfo = info;`): it owns no pointer or handle, the ad page is a
// CString, which copies its characters, and the money an EncodeLongLong,
// which its own copy re-encodes for the copy.
#pragma once

#include <afxwin.h>
#include <EncodeValue.h>

#include "LobbyKitApi.h"

class LOBBYKIT_API CTsTitleInfo {
public:
    CTsTitleInfo();

    // "Money 1,234,500": the money with thousands separators.
    CString GetMoneyInfo() const;
    // "Level 12".
    CString GetLevelInfo() const;
    // "Rating 1500".
    CString GetRatingInfo() const;
    // "Score 320".
    CString GetScoreInfo() const;
    // "Wins 75% (30W 10L)"; empty before the first game.
    CString GetRateOfWinsInfo() const;
    // "Ranking 7"; empty while unranked (0 or less).
    CString GetRankingInfo() const;

    // Reads the advertisement settings (CTsCfgSetting::m_szAdInfo): items
    // "key=value" separated by ';', white space around them ignored. The item
    // "page" sets m_strAdPage (at most 255 bytes, cut between characters of
    // the ANSI code page, never inside a double-byte one); other keys are
    // ignored. Without a "page" item (or with a null or empty text)
    // m_strAdPage becomes empty, which hides the frame's ad view.
    void ApplyAdInformation(const char* pszAdInfo);

    CString m_strAdPage;      // address the frame's ad view shows; empty: none
    EncodeLongLong m_llMoney; // money shown by GetMoneyInfo
    int m_nLevel;             // level shown by GetLevelInfo
    int m_nRating;            // rating shown by GetRatingInfo
    int m_nScore;             // score of a ranking game
    int m_nWins;              // games won
    int m_nLosses;            // games lost
    int m_nRanking;           // place in the ranking, 0: unranked
};

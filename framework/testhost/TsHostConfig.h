// CTsHostConfig: what a host knows before it loads a channel-list window:
// the user's records, the site's settings and the frame's geometry, read
// from a small "key = value" text (one pair a line, '#' starts a comment
// line, unknown keys are ignored, every value is copied bounded).
//
// Keys: member.id, member.nick, member.avatar, member.grade, member.level,
// game.id, game.code, record.rating, record.rating2, record.money,
// record.games, site.code, ad.url, ad.info, option (decimal or 0x hex),
// regkey, header.top, header.height, use-rating, frame.width, frame.height,
// title.money, title.level, title.rating, title.score, title.wins,
// title.losses, title.ranking, gamestring, groupmsg, log.file. Sizes
// (frame.*, header.*) outside 0..4096 (frame: 1..4096) are ignored.
#pragma once

#include <lobbykit.h>

class CTsHostConfig {
public:
    CTsHostConfig();

    // Applies every "key = value" line of lpszText. Returns the number of
    // keys taken.
    int Parse(LPCSTR lpszText);
    // Reads a file (at most 64 KiB) and parses it. 0 when it cannot be read.
    int LoadFile(LPCSTR lpszPath);
    // Applies one pair; non-zero when the key is known (0 for a null key or value).
    int Set(LPCSTR lpszKey, LPCSTR lpszValue);

    CTsMember m_member;         // the signed-in user
    CTsGameInfo m_gameInfo;     // the game
    CTsGameRecord m_gameRecord; // the user's record in it
    CTsCfgSetting m_cfgSetting; // site settings
    CTsTitleInfo m_titleInfo;   // title lines
    DWORD m_dwOption;           // option bits of the child window
    CString m_strRegKey;        // registry sub-key of the client
    int m_nHeaderTop;           // header band of the frame
    int m_nHeaderHeight;
    int m_bUseRating; // the frame's m_bUseRating
    int m_nWidth;     // size of the frame's child area
    int m_nHeight;
    CString m_strGameString; // game string of the first activation
    CString m_strGroupMsg;   // group message of the first activation
    CString m_strLogFile;    // file the host appends its log to, or empty

private:
    CTsHostConfig(const CTsHostConfig&) = delete;
    CTsHostConfig& operator=(const CTsHostConfig&) = delete;
};

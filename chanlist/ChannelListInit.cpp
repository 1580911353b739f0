// CTsChannelListWnd: the entry Init that reads the host's start record, the
// three setting hooks and the set-up of the views and buttons.
#include "ChannelListWnd.h"

#include <string.h>
#include <KelpParser.h>
#include <TsLobbyFrame.h>

#include "GameString.h"
#include "TsCopyField.h"
#include "TsRegion.h"
#include "resource.h"

// Reads the start record. The game string must parse and name its game
// (keyGameId, not empty); a game string without a game id is refused like
// one that does not parse, since every request and join carries that id.
// Returns non-zero when the views were set up. A null record (Init is
// public) is refused before anything changes. The box of a refused game
// string and the automatic join's splash may end the window: Init then
// returns 0 at once.
int CTsChannelListWnd::Init(__tag_GameString* pGameString) {
    if (pGameString == NULL)
        return 0;
    m_strGameString = pGameString->strGameString;
    m_strGroupMsg = pGameString->strGroupMsg;
    m_strServerIp = "";
    m_nServerPort = 0;
    m_strCaption.LoadString(IDS_CAPTION);

    CKelpParser parser(m_strGameString, 0, NULL);
    TsGameString game;
    if (!TsReadGameString(parser, game)) {
        CString strText;
        strText.LoadString(IDS_INVALID_GAMESTRING);
        TsMessageBox(m_pFrameWnd, strText, m_strCaption, MB_ICONHAND | MB_TOPMOST);
        return 0;
    }

    m_strServerIp = game.pszServerIp;
    m_nServerPort = game.nServerPort;
    const char* pszCode = m_pGameInfo->m_szGameCode;
    m_strSection = CString(pszCode, (int)strnlen(pszCode, sizeof(m_pGameInfo->m_szGameCode)));

    // From here on the host's game record carries the game string's id.
    static_assert(sizeof(m_pGameInfo->m_szGameId) == sizeof(game.szGameId),
                  "the game id is read at the record's width");
    TsCopyField(m_pGameInfo->m_szGameId, game.szGameId);
    CTsAliveGuard alive(this);
    ReadAutoJoin(parser);
    if (!alive)
        return 0;

    if (TsRegion::kRenameTet3 && strcmp(m_pGameInfo->m_szGameId, "TET3") == 0)
        TsCopyField(m_pGameInfo->m_szGameId, "TETRIS");

    if (!SetChannelListWndSetting() || !SetChannelGroupListSetting() || !SetChannelListSetting())
        return 0;
    return SetChannelListWnd() ? 1 : 0;
}

// An automatic join is pending when the game string names a channel
// (keyChannelId) and that channel's server (keyIPAddress): a join without
// an address could not reach any server, so such a game string starts the
// window as an ordinary one (no automatic join) instead. The sub id is cut
// from the channel id as TsReadAutoJoin says: at most five bytes from eight
// before the end, between characters. The splash is shown last, once
// every field is read.
void CTsChannelListWnd::ReadAutoJoin(const CKelpParser& parser) {
    TsAutoJoin join;
    if (!TsReadAutoJoin(parser, join)) {
        m_bAutoJoin = 0;
        return;
    }

    // The fields have the widths of the join's, so these copies cut nothing.
    static_assert(sizeof(m_szAutoChannelId) == sizeof(join.szChannelId) &&
                      sizeof(m_szAutoIp) == sizeof(join.szIp),
                  "the automatic join is read at the window's widths");
    m_bAutoJoin = 1;
    TsCopyField(m_szAutoChannelId, join.szChannelId);
    m_strSubId = join.szSubId;
    TsCopyField(m_szAutoIp, join.szIp);
    m_nAutoPort = join.nPort;
    m_nAutoMaxRoom = join.nMaxRoom;
    m_nAutoMaxRoomMembers = join.nMaxRoomMembers;
    m_nAutoMaxRoomViewers = join.nMaxRoomViewers;

    CString strSplash;
    strSplash.LoadString(IDS_AUTOJOIN);
    ON_SPLASH(strSplash, TSSPLASH_NOTICE, this);
}

// The hooks let a configuration adjust the settings before the views are
// set up; this window keeps the settings' own defaults.
int CTsChannelListWnd::SetChannelListWndSetting() {
    return 1;
}

int CTsChannelListWnd::SetChannelGroupListSetting() {
    return 1;
}

int CTsChannelListWnd::SetChannelListSetting() {
    return 1;
}

// The container gets the record lists and settings and is shown; the two
// buttons stand right-aligned above the channel list, bottom-aligned on the
// header band's lower edge B: join rightmost, 4 pixels left of the list's
// right edge R, refresh 4 pixels left of join, each at its image's size.
int CTsChannelListWnd::SetChannelListWnd() {
    if (!m_wndListCtrl.SetListCtrlWnd(&m_listGroup, &m_ChannelGroupListSetting, &m_listChannel,
                                      &m_ChannelListSetting))
        return 0;
    m_wndListCtrl.ShowWindow(SW_SHOW);

    if (m_btnJoin.GetSafeHwnd() != NULL && m_btnRefresh.GetSafeHwnd() != NULL) {
        const CSize sizeJoin = m_btnJoin.GetButtonSize();
        const CSize sizeRefresh = m_btnRefresh.GetButtonSize();
        const int nRight = m_ChannelListSetting.m_rcWindow.right;
        const int nBottom = m_nHeaderTop + m_nHeaderHeight;
        m_btnJoin.MoveWindow(nRight - sizeJoin.cx - 4, nBottom - sizeJoin.cy, sizeJoin.cx,
                             sizeJoin.cy, TRUE);
        m_btnRefresh.MoveWindow(nRight - sizeRefresh.cx - sizeJoin.cx - 8, nBottom - sizeRefresh.cy,
                                sizeRefresh.cx, sizeRefresh.cy, TRUE);
        m_btnJoin.ShowWindow(SW_SHOW);
        m_btnRefresh.ShowWindow(SW_SHOW);
    }
    return 1;
}

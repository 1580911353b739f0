// CTsChannelListWnd: loading the channel-group catalogue, the admission
// rule and the group switch. The line splitting, the file name and the
// rule itself are plain functions (GroupCatalogue.h); the continue-play
// values are read by ContinuePlay.h.
#include "ChannelListWnd.h"

#include <string.h>

#include <TsLobbyFrame.h>

#include "ChannelGroupListCtrl.h"

#include "ContinuePlay.h"
#include "GroupCatalogue.h"
#include "ListRowHelpers.h"
#include "TsRegion.h"
#include "resource.h"

// Loads the game's channel groups from the catalogue in the current
// directory, reads the continue-play values, and, unless an automatic join
// is pending or the user may enter no group (separator rows aside),
// switches to the initial group and selects its row: the first group the
// user may enter, or where the last group chosen is remembered, that one.
// Returns 0 when the current directory cannot be read (nothing changes) or
// the connection cannot be started; else 1, also when there is no
// catalogue, no group or no group the user may enter. The switch's splash
// may end the window: 0 then too, and callers ask their own guard.
int CTsChannelListWnd::GetChannelGroupInfo() {
    char szDir[MAX_PATH] = {0};
    const DWORD nDir = ::GetCurrentDirectoryA(MAX_PATH, szDir);
    if (nDir == 0 || nDir >= MAX_PATH)
        return 0;

    const CString strFolder = CString(szDir) + "\\";
    const char* pszGameId = m_pGameInfo->m_szGameId;
    CString strPath = strFolder + TsCatalogueFileName(pszGameId, m_pCfgSetting->m_szSiteCode);
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(strPath, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        strPath = strFolder + TsCatalogueFileName(pszGameId, "tsd");
    else
        ::FindClose(hFind);

    int nCount = (int)::GetPrivateProfileIntA(m_strSection, "NUM", 0, strPath);
    if (nCount > TS_MAX_CATALOGUE_GROUPS)
        nCount = TS_MAX_CATALOGUE_GROUPS;

    // The view goes first, so that no row points at a record deleted here;
    // the records of an earlier load are replaced, not kept beside the new
    // ones.
    m_wndListCtrl.DeleteAllChannelGroup();
    while (!m_listGroup.IsEmpty())
        delete m_listGroup.RemoveHead();

    if (!m_bAutoJoin && (m_dwOption & TSOPT_CONTINUE_PLAY))
        TsReadContinuePlay(m_pszRegKey, m_pMember->m_szId, m_szContChannelId, m_nContRoom);

    CTsChannelGroupListData* pSelected = NULL;
    for (int n = 1; n <= nCount; ++n) {
        char szKey[16];
        wsprintfA(szKey, "%d", n);
        char szLine[TS_CATALOGUE_LINE_SIZE + 1] = {0};
        ::GetPrivateProfileStringA(m_strSection, szKey, "", szLine, sizeof(szLine), strPath);

        CTsChannelGroupListData* pGroup = new CTsChannelGroupListData;
        TsSplitCatalogueLine(szLine, *pGroup);
        m_listGroup.AddTail(pGroup);
        m_wndListCtrl.AddChannelGroup(pGroup);
        // A separator row is no group to connect to, whatever its limits.
        if (pSelected == NULL && strcmp(pGroup->m_szGroupId, TS_SEPARATOR_ID) != 0 &&
            IsJoinValidate(pGroup))
            pSelected = pGroup;
    }

    m_pTitleInfo->ApplyAdInformation(m_pCfgSetting->m_szAdInfo);

    if (m_bAutoJoin || pSelected == NULL)
        return 1;
    if (TsRegion::kRememberLastGroup)
        return StartRememberedGroup(pSelected);
    if (!SwitchChannelGroup(pSelected))
        return 0;
    SelectGroupRow(pSelected);
    return 1;
}

// The initial group where the group chosen last is remembered: the last
// group in catalogue order whose id is "LastSelGrId" exactly (the user
// chose it, so the admission rule is not asked again), else pFirstAdmitted.
// A remembered group whose connection cannot start (its server address
// unusable) gives way to pFirstAdmitted, so that one bad value cannot close
// the window at every start. The remembered id is not written here, and no
// group message is made.
int CTsChannelListWnd::StartRememberedGroup(CTsChannelGroupListData* pFirstAdmitted) {
    CTsChannelGroupListData* pChosen = NULL;
    char szLastId[256];
    if (TsReadLastGroup(m_pszRegKey, szLastId)) {
        for (POSITION pos = m_listGroup.GetHeadPosition(); pos != NULL;) {
            CTsChannelGroupListData* pGroup = m_listGroup.GetNext(pos);
            if (strcmp(pGroup->m_szGroupId, szLastId) == 0)
                pChosen = pGroup;
        }
    }
    if (pChosen == NULL)
        pChosen = pFirstAdmitted;

    DestroyClient();
    m_strSubId.Empty();
    CString strSplash;
    strSplash.LoadString(IDS_CONNECTING);
    CTsAliveGuard alive(this);
    ON_SPLASH(strSplash, TSSPLASH_PROGRESS, this);
    if (!alive)
        return 0;
    if (!ConnectForGroup(pChosen)) {
        if (pChosen == pFirstAdmitted || !ConnectForGroup(pFirstAdmitted)) {
            EndListing();
            return 0;
        }
        pChosen = pFirstAdmitted;
    }
    BeginListing();
    m_strSubId = pChosen->m_szGroupId;
    SelectGroupRow(pChosen);
    return 1;
}

// Whether the signed-in user may enter pGroup (see TsIsGroupAdmitted). A
// null group admits nobody. Where the frame decides whether ratings count,
// a window without a frame counts none.
int CTsChannelListWnd::IsJoinValidate(CTsChannelGroupListData* pGroup) {
    if (pGroup == NULL)
        return 0;
    const int bRatingBand =
        TsRegion::kRatingBandByFrame ? (m_pFrameWnd != NULL && m_pFrameWnd->m_bUseRating) : 1;
    return TsIsGroupAdmitted(*m_pMember, *m_pGameRecord, m_pGameInfo->m_szGameId, *pGroup,
                             bRatingBand);
}

// The group switch: drops the connection, connects to the channel-list
// server again and, once connecting has started, makes pGroup the current
// group (its id becomes the sub id that the connection asks for) and, where
// the configuration has them, renders its group message. Where the last
// group chosen is remembered, pGroup is remembered once its connection has
// started: a group that cannot connect is never the one a start picks.
// When CreateClient fails the sub id stays empty and the splash goes;
// returns 0. Returns 0 too, touching nothing more, when the host ended the
// window at the splash: callers ask their own guard.
int CTsChannelListWnd::SwitchChannelGroup(CTsChannelGroupListData* pGroup) {
    DestroyClient();
    m_strSubId.Empty();
    CString strSplash;
    strSplash.LoadString(IDS_CONNECTING);
    CTsAliveGuard alive(this);
    ON_SPLASH(strSplash, TSSPLASH_PROGRESS, this);
    if (!alive)
        return 0;
    if (!ConnectForGroup(pGroup)) {
        EndListing();
        return 0;
    }
    BeginListing();
    if (TsRegion::kRememberLastGroup)
        TsWriteLastGroup(m_pszRegKey, pGroup->m_szGroupId);
    m_strSubId = pGroup->m_szGroupId;
    if (TsRegion::kGroupMessage)
        TsBuildGroupMessage(*pGroup, m_strGroupMsg);
    return 1;
}

// Where each group names its own channel-list server, that server becomes
// the window's before connecting.
int CTsChannelListWnd::ConnectForGroup(CTsChannelGroupListData* pGroup) {
#if defined(PELTORA_REGION_CN)
    m_strServerIp = pGroup->m_szListServerIp;
    m_nServerPort = pGroup->m_nListServerPort;
#else
    UNUSED_ALWAYS(pGroup);
#endif
    return CreateClient(m_strServerIp, m_nServerPort);
}

// Selects the row that shows pGroup without reporting a click. The row is
// found by the group's id: when the view refused an earlier group of the
// same id, catalogue positions and rows no longer line up.
void CTsChannelListWnd::SelectGroupRow(CTsChannelGroupListData* pGroup) {
    CListCtrl* pList = m_wndListCtrl.m_pChannelGroupListCtrl;
    if (pList == NULL || pList->GetSafeHwnd() == NULL)
        return;
    const int nRow = TsFindRowByLabel(*pList, pGroup->m_szGroupId);
    if (nRow >= 0)
        pList->SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
}

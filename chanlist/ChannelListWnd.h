// CTsChannelListWnd: the channel-list window, the one class the host sees.
// The host constructs it, creates it as child 1 of its lobby frame and
// activates it with WM_USER+10; the first activation carries the
// __tag_GameString record that names the game and the channel-list server.
// The window lists the game's channel groups, asks the channel-list server
// for the channels of the chosen group and hands the host a join message.
//
// The host may delete the object inside any call that reaches it (see
// TsAliveGuard.h). Every member that goes on after a message box, a
// splash, a dispatch, a join hand-off or a close asks a CTsAliveGuard
// first and returns at once, touching nothing, once the object is gone; no
// record is held across such a call either (records are looked up again by
// id). The frame's answers and notifications that run no loop
// (IsActiveWindow, ControlButton, ShowAdHtmlView, CheckConfidenceMemory)
// are taken to leave the window alone.
//
// Members are split over several files by concern:
//   ChannelListWnd.cpp        construction, creation, message map, teardown
//   ChannelListInit.cpp       Init, the setting hooks, SetChannelListWnd
//   ChannelListActivation.cpp WM_USER+10, DoExActive, DoActive, timers
//   ChannelGroupCatalogue.cpp catalogue of channel groups, admission rule
//   ChannelJoin.cpp           group and channel selection, joins
//   ChannelListPaint.cpp      painting and the member panel
//   ChannelListClient.cpp     connection, request, dispatch
//   ChannelListReply.cpp      channel-list reply
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <TsChildWnd.h>
#include <TsBmpButton.h>
#include <TsGameString.h>

#include "PeltoraApi.h"
#include "JoinValidator.h"
#include "ChannelRecords.h"
#include "ListSettings.h"
#include "ListCtrlWnd.h"
#include "PanelAvatar.h"

class CKelpParser;
class CTsGDImage;
class CTsHtmlCtrl;
class CTsAdNavigator;
struct TsJoinTarget;

// The named event whose existence tells other processes that a channel-list
// window lives in this process (see PresenceEvent.h); null when none exists.
extern PELTORA_API HANDLE g_hPresenceEvent;

class PELTORA_API CTsChannelListWnd : public CTsChildWnd, public ITsJoinValidator {
public:
    // Window timers, all on this window.
    enum : UINT {
        TIMER_IDLE = 121,     // idle watch
        TIMER_AUTOJOIN = 122, // automatic join, once
        TIMER_LISTING = 123,  // deadline of the listing in flight
        TIMER_AVATAR = 1000   // avatar redraw
    };
    enum : UINT {
        TIMER_IDLE_PERIOD = 10000,    // ms between idle checks
        TIMER_AUTOJOIN_PERIOD = 1000, // ms from activation to the automatic join
        TIMER_LISTING_PERIOD = 1000,  // ms between checks of the listing's deadline
        TIMER_AVATAR_PERIOD = 200     // ms between avatar redraws (see TsRegion)
    };
    // A listing that has heard nothing from its server for this long ends as
    // a close does: the connection dropped, the splash hidden.
    enum : DWORD { LISTING_TIMEOUT = 30000 };
    // Child ids of the window's own children.
    enum : UINT {
        IDC_CHANNEL_JOIN = 215,    // join button
        IDC_CHANNEL_REFRESH = 216, // refresh button
        IDC_LIST_CONTAINER = 30000,
        IDC_AD_VIEW = 30011
    };

    CTsChannelListWnd();
    virtual ~CTsChannelListWnd();

    // Makes the window (CTsChildWnd::Create with the four arguments), then
    // its children: the list container, the two hidden buttons, the
    // information picture and, unless the ad address is "None", the ad view
    // with its navigation thread. Non-zero when the window and the
    // container exist.
    virtual int Create(DWORD dwStyle, UINT nID, CWnd* pParentWnd, UINT nExtra);
    // The activation that starts (non-zero) or stops (0) the window's work.
    virtual int DoExActive(int bActive);
    // The other activations: the window comes to the front or leaves it.
    virtual int DoActive(int bActive);
    virtual int OnSocketClose(CTstpSocket* pSocket);
    virtual int OnSocketConnect(CTstpSocket* pSocket);
    virtual int OnSocketReceive(CTstpSocket* pSocket);
    virtual int OnSocketSend(CTstpSocket* pSocket);

    // The window's own virtual steps, in this slot order.
    virtual int DispatchServices(CKelpParser& parser);
    virtual int ProcessGetChannelList(CKelpParser& parser);
    virtual int ProcessJoinChannel(CTsChannelListData* pChannel, int nRoom);
    virtual int SetChannelGroupListSetting();
    virtual int SetChannelListSetting();
    virtual int SetChannelListWndSetting();

    // Reads the start record: the game string (server, game id, automatic
    // join) and the group message; then the setting hooks and the views.
    // Non-zero when the game string was valid and the views were set up.
    int Init(__tag_GameString* pGameString);
    // Sets the two fixed rectangles.
    void InitPrototype();
    // Hands the record lists and settings to the container, shows it and
    // places and shows the two buttons. Non-zero on success.
    int SetChannelListWnd();

    // Channel-group catalogue and admission rule.
    int GetChannelGroupInfo();
    virtual int IsJoinValidate(CTsChannelGroupListData* pGroup);
    // The group switch: reconnects for pGroup and makes it the current
    // group; 0 when the connection cannot be started.
    int SwitchChannelGroup(CTsChannelGroupListData* pGroup);

    // Joins.
    int AutoJoinChannel();
    int ContinueJoinChannel();

    // Channel-list request for the sub id; SendData's result.
    int SendGetChannelList(const char* pszSubId);

    // Painting of the window and of its member panel.
    void Draw(CDC* pDC);
    void DrawMemberInfo(CDC* pDC);

    // Shows the main window of the current UI thread when it is hidden.
    // Touches no window object, so it may end any path, even one whose
    // object the host deleted.
    static void ShowMainWindowIfHidden();

    CString m_strGameString;                              // the host's game string
    CString m_strGroupMsg;                                // group parameter message of the joins
    CString m_strCaption;                                 // caption of every message box (17900)
    CTsListCtrlWnd m_wndListCtrl;                         // container of the two lists, id 30000
    CTsChannelGroupListSetting m_ChannelGroupListSetting; // columns and place of the group list
    CTsChannelListSetting m_ChannelListSetting;           // columns and place of the channel list
    CTsGroupRecordList m_listGroup;                       // the channel groups; owns its records
    CTsChannelRecordList m_listChannel;                   // channels of the group; owns its records
    CString m_strSubId;         // sub id of the current group; empty: none
    int m_bAutoJoin;            // an automatic join is pending
    CString m_strSection;       // the game's category code (catalogue section)
    RECT m_rcAdView;            // where the ad view sits
    RECT m_rcMember;            // the member panel
    CTsBmpButton m_btnRefresh;  // refresh button, command 216
    CTsBmpButton m_btnJoin;     // join button, command 215
    CTsGDImage* m_pInfoImage;   // channel-list information picture, or null
    int m_nTotalMembers;        // users in the listed channels
    CTsHtmlCtrl* m_pAdCtrl;     // the ad view, id 30011, or null
    int m_bActive;              // last activation state given
    CTsPanelAvatar* m_pAvatar;  // the member panel's avatar, or null
    char m_szAutoChannelId[31]; // channel of the pending automatic join
    char m_szAutoIp[51];        // address of that channel's server
    int m_nAutoPort;            // port of that channel's server
    int m_nAutoMaxRoom;         // rooms of that channel
    int m_nAutoMaxRoomMembers;  // players per room there
    int m_nAutoMaxRoomViewers;  // viewers per room there
    char m_szContChannelId[32]; // continue-play channel id from the registry
    int m_nContRoom;            // continue-play room from the registry; -2: none

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnMsgFromFrameSetActiveWindow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgFromChannelGroupSel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgFromChannelListSel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgFromChannelAvatarReady(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgRedrawAvatar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnBtnChannelJoinClicked();
    afx_msg void OnBtnChannelListRefreshClicked();

    DECLARE_MESSAGE_MAP()

private:
    // Reads the automatic-join fields of a valid game string; see Init.
    void ReadAutoJoin(const CKelpParser& parser);
    // Makes the ad view and starts its navigation thread (Create's step).
    void CreateAdView();
    // Stops the navigation thread's use of the ad view and destroys it.
    void DestroyAdView();
    // Empties both views and deletes every record, groups first.
    void FreeRecords();
    // Fills the join fields with the join message of target (keys in
    // TsJoinKeyOrder nOrder) and room nRoom, and asks the frame for its
    // lobby window. 0 when the message cannot be built; a port it cannot
    // carry is also told to the user.
    int HandJoinOver(const TsJoinTarget& target, int nOrder, int nRoom);
    // Tells the frame's channel-name window which group and channel a
    // double-click joins.
    void TellFrameChannelName(const CTsChannelListData& channel);
    // Deletes the avatar at a deactivation, where the configuration does.
    void DropAvatarOnDeactivation();
    // The initial group where the last group chosen is remembered: that
    // group when the catalogue has it, else pFirstAdmitted; see
    // ChannelGroupCatalogue.cpp. 0 when the connection cannot be started.
    int StartRememberedGroup(CTsChannelGroupListData* pFirstAdmitted);
    // Connects to the channel-list server for pGroup: the window's server,
    // or the group's own where groups name theirs.
    int ConnectForGroup(CTsChannelGroupListData* pGroup);
    // Selects pGroup's row in the group view without reporting a click.
    void SelectGroupRow(CTsChannelGroupListData* pGroup);
    // A listing starts once CreateClient has started connecting: its
    // deadline is armed. It ends at the close, a failure, a dropped
    // connection or the deadline: the splash goes and the deadline with it.
    void BeginListing();
    void EndListing();
    // The splash of an activation goes at once when no listing is in
    // flight, since nothing else would ever hide it.
    void HideSplashUnlessListing();
    // Whether the listing's server has been silent past LISTING_TIMEOUT.
    int IsListingOverdue() const;
    // The channel record listed now under pszChannelId, or null.
    CTsChannelListData* FindListedChannel(const char* pszChannelId);
    // Tells the user that the channel-list or channel server cannot be
    // reached (string 17902, over the frame). A box: the host may end the
    // window inside it.
    void ShowCannotConnect();
    // The end of a start (DoExActive(1) and a start whose automatic join
    // failed): the activation splash goes unless a listing is in flight; a
    // failed catalogue step reveals the main window and closes the window;
    // otherwise the base's activation shows it.
    int FinishStart(int bCatalogueFailed);
    // An automatic join that could not be handed over: the window starts
    // as it does without one (groups loaded, the first admitted group
    // listed, shown, the main window revealed).
    void StartWithoutAutoJoin();

    CTsAdNavigator* m_pAdNavigator; // the ad view's navigation thread's share, or null
    int m_bListing;                 // a listing is in flight (connecting, asking or reading)
    DWORD m_dwListingHeard;         // tick of the listing's start or of its last message
    int m_bAskingToContinue;        // the continue-play question is up
};

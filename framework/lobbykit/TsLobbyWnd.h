// CTsLobbyWnd: the frame's child 2, a stand-in for the lobby of a channel.
// It shows the join fields the frame read at the last join and the channel
// name sent with WM_TS_CHANNELNAME; a click on it goes back to child 1.
#pragma once

#include <afxwin.h>

#include "LobbyKitApi.h"

class CTsLobbyFrame;

// What a message says, for people: "service/command to address:port" and
// one line "key = value" per protocol key it carries (its first value),
// or a note that it is empty or does not parse.
LOBBYKIT_API CString TsDescribeMessage(LPCSTR lpszMessage);

class LOBBYKIT_API CTsLobbyWnd : public CWnd {
public:
    CTsLobbyWnd();
    virtual ~CTsLobbyWnd();

    // Creates the window (hidden) as child TS_CHILD_LOBBY of pFrame.
    int Create(CTsLobbyFrame* pFrame, const RECT& rect);
    // Takes the join fields over and repaints.
    void SetJoin(HWND hJoinWnd, LPCSTR lpszJoinUrl, LPCSTR lpszGroupParam, int nJoinChannel);

    HWND m_hJoinWnd;          // window that joined
    CString m_strJoinUrl;     // join message
    CString m_strGroupParam;  // group parameter message
    int m_nJoinChannel;       // room to enter, -2 none
    CString m_strChannelName; // last WM_TS_CHANNELNAME text

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMsgChannelName(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CTsLobbyFrame* m_pFrame; // the frame, for going back
};

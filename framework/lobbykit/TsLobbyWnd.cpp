// CTsLobbyWnd: the frame's lobby child, showing the last join.
#include "TsLobbyWnd.h"

#include <KelpParser.h>

#include "TsLobbyFrame.h"
#include "TsLobbyMsg.h"
#include "TsLobbyObserver.h"

// Longest channel name taken from WM_TS_CHANNELNAME.
static const int kMaxChannelName = 1023;

BEGIN_MESSAGE_MAP(CTsLobbyWnd, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_TS_CHANNELNAME, OnMsgChannelName)
END_MESSAGE_MAP()

CTsLobbyWnd::CTsLobbyWnd() : m_hJoinWnd(NULL), m_nJoinChannel(-2), m_pFrame(NULL) {}

CTsLobbyWnd::~CTsLobbyWnd() {}

int CTsLobbyWnd::Create(CTsLobbyFrame* pFrame, const RECT& rect) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL) {
        return 0;
    }
    m_pFrame = pFrame;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1), NULL);
    return CWnd::CreateEx(0, lpszClass, NULL, WS_CHILD | WS_CLIPSIBLINGS, rect, pFrame,
                          TS_CHILD_LOBBY)
               ? 1
               : 0;
}

void CTsLobbyWnd::SetJoin(HWND hJoinWnd, LPCSTR lpszJoinUrl, LPCSTR lpszGroupParam,
                          int nJoinChannel) {
    m_hJoinWnd = hJoinWnd;
    m_strJoinUrl = lpszJoinUrl != NULL ? lpszJoinUrl : "";
    m_strGroupParam = lpszGroupParam != NULL ? lpszGroupParam : "";
    m_nJoinChannel = nJoinChannel;
    if (m_hWnd != NULL) {
        Invalidate();
    }
}

// A title, the channel name, the room, what the join message says (decoded
// key by key), the group parameters and how to go back.
void CTsLobbyWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(250, 250, 244));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(20, 20, 20));
    CRect rcLine(16, 12, rc.right - 16, rc.bottom - 12);
    CString strText;
    strText.Format("Lobby\r\n\r\nChannel: %s\r\nRoom: %d\r\n\r\nJoin message:\r\n%s\r\n"
                   "Group parameters:\r\n%s\r\n(Click to return to the channel list.)",
                   (LPCSTR)m_strChannelName, m_nJoinChannel,
                   (LPCSTR)TsDescribeMessage(m_strJoinUrl),
                   (LPCSTR)TsDescribeMessage(m_strGroupParam));
    dc.DrawText(strText, &rcLine, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

CString TsDescribeMessage(LPCSTR lpszMessage) {
    if (lpszMessage == NULL || *lpszMessage == '\0')
        return "(none)\r\n";
    CKelpParser parser(lpszMessage, 0, NULL);
    if (!parser.IsValid())
        return CString("(not a message) ") + lpszMessage + "\r\n";
    CString strText;
    strText.Format("  %s/%s to %s:%u\r\n", parser.GetService(), parser.GetCommand(),
                   parser.GetIPAddress(), (unsigned)parser.GetPort());
    // Every protocol key the message carries, with its first value as text.
    for (const char* const* ppKey = G::allKeys; *ppKey != NULL; ++ppKey) {
        char* pszValue = NULL;
        int nLength = 0;
        if (parser.GetValue(*ppKey, pszValue, nLength))
            strText += CString("  ") + *ppKey + " = " + CString(pszValue, nLength) + "\r\n";
    }
    return strText;
}

void CTsLobbyWnd::OnLButtonUp(UINT, CPoint) {
    if (m_pFrame != NULL) {
        m_pFrame->ActivateChildWindow(1, NULL);
    }
}

// wParam: a NUL-terminated text; at most kMaxChannelName bytes are read.
LRESULT CTsLobbyWnd::OnMsgChannelName(WPARAM wParam, LPARAM) {
    LPCSTR lpszName = (LPCSTR)wParam;
    int nLength = 0;
    while (lpszName != NULL && nLength < kMaxChannelName && lpszName[nLength] != '\0') {
        nLength++;
    }
    m_strChannelName = lpszName != NULL ? CString(lpszName, nLength) : CString();
    if (m_pFrame != NULL && m_pFrame->GetObserver() != NULL) {
        m_pFrame->GetObserver()->OnChannelName(m_strChannelName);
    }
    Invalidate();
    return 0;
}

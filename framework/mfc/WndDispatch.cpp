// Message dispatch: WindowProc, the message-map lookup, command and notify
// routing, and reflection of control notifications back to the control.
#include "afximpl.h"

namespace {

// The handler pointer of an entry, back in its typed form.
template <class F> F HandlerOf(const AFX_MSGMAP_ENTRY* pEntry) {
    F f;
    memcpy(&f, &pEntry->pfn, sizeof(f));
    return f;
}

// First entry of the map chain with the given message and code whose id
// range holds nID (window messages use code 0 and id 0).
const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID) {
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return NULL;
}

bool IsCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

// The root of every chain: CCmdTarget's own map has no base.
const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP map = {NULL, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

// Looks up a WM_COMMAND or WM_NOTIFY handler for control nID and calls it.
BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO*) {
    CWnd* pWnd = dynamic_cast<CWnd*>(this);
    if (pWnd == NULL)
        return FALSE;
    UINT nMsg = HIWORD(nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), nMsg, LOWORD(nCode), nID);
    if (e == NULL)
        return FALSE;
    if (nMsg == WM_COMMAND) {
        if (e->nSig == AfxSig_bv)
            return (pWnd->*HandlerOf<BOOL (CWnd::*)()>(e))();
        (pWnd->*HandlerOf<void (CWnd::*)()>(e))();
        return TRUE;
    }
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
    if (pNotify == NULL)
        return FALSE;
    LRESULT lDummy = 0;
    LRESULT* pResult = pNotify->pResult != NULL ? pNotify->pResult : &lDummy;
    if (e->nSig == AfxSigNotify_b)
        return (pWnd->*HandlerOf<BOOL (CWnd::*)(NMHDR*, LRESULT*)>(e))(pNotify->pNMHDR, pResult);
    (pWnd->*HandlerOf<void (CWnd::*)(NMHDR*, LRESULT*)>(e))(pNotify->pNMHDR, pResult);
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetThreadState()->lastMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    return &AfxGetThreadState()->lastMsg;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

// Commands and notifications are routed through OnCommand / OnNotify; owner
// draw and colour messages from controls are first reflected to the control.
// Everything else is looked up in the map chain.
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        LRESULT lResult = 0;
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    if (message == WM_DRAWITEM && lParam != 0) {
        const DRAWITEMSTRUCT* p = (const DRAWITEMSTRUCT*)lParam;
        if (p->CtlType != ODT_MENU &&
            SendChildNotify(p->hwndItem, message, wParam, lParam, pResult))
            return TRUE;
    }
    if (message == WM_MEASUREITEM && lParam != 0) {
        // No window handle in the structure: the control is found by its id.
        const MEASUREITEMSTRUCT* p = (const MEASUREITEMSTRUCT*)lParam;
        if (p->CtlType != ODT_MENU &&
            SendChildNotify(::GetDlgItem(m_hWnd, p->CtlID), message, wParam, lParam, pResult))
            return TRUE;
    }
    if (IsCtlColor(message) && (HWND)lParam != m_hWnd &&
        SendChildNotify((HWND)lParam, message, wParam, lParam, pResult))
        return TRUE;

    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), message, 0, 0);
    if (e == NULL)
        return FALSE;
    *pResult = CallMsgHandler(e, wParam, lParam);
    return TRUE;
}

// Unpacks wParam/lParam for the entry's signature and calls the handler.
LRESULT CWnd::CallMsgHandler(const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam) {
    switch (e->nSig) {
    case AfxSig_vv:
        (this->*HandlerOf<void (CWnd::*)()>(e))();
        return 0;
    case AfxSig_bv:
        return (this->*HandlerOf<BOOL (CWnd::*)()>(e))();
    case AfxSig_is:
        return (this->*HandlerOf<int (CWnd::*)(LPCREATESTRUCT)>(e))((LPCREATESTRUCT)lParam);
    case AfxSig_vTimer:
        (this->*HandlerOf<void (CWnd::*)(UINT_PTR)>(e))((UINT_PTR)wParam);
        return 0;
    case AfxSig_bD:
        return (this->*HandlerOf<BOOL (CWnd::*)(CDC*)>(e))(CDC::FromHandle((HDC)wParam));
    case AfxSig_vwii:
        (this->*HandlerOf<void (CWnd::*)(UINT, int, int)>(e))((UINT)wParam, (short)LOWORD(lParam),
                                                              (short)HIWORD(lParam));
        return 0;
    case AfxSig_vii:
        (this->*HandlerOf<void (CWnd::*)(int, int)>(e))((short)LOWORD(lParam),
                                                        (short)HIWORD(lParam));
        return 0;
    case AfxSig_vwp:
        (this->*HandlerOf<void (CWnd::*)(UINT, CPoint)>(e))((UINT)wParam, CPoint((DWORD)lParam));
        return 0;
    case AfxSig_vW:
        (this->*HandlerOf<void (CWnd::*)(CWnd*)>(e))(CWnd::FromHandle((HWND)wParam));
        return 0;
    case AfxSig_vb:
        (this->*HandlerOf<void (CWnd::*)(BOOL)>(e))((BOOL)wParam);
        return 0;
    case AfxSig_vbw:
        (this->*HandlerOf<void (CWnd::*)(BOOL, UINT)>(e))((BOOL)wParam, (UINT)lParam);
        return 0;
    case AfxSig_vwww:
        (this->*HandlerOf<void (CWnd::*)(UINT, UINT, UINT)>(e))((UINT)wParam, LOWORD(lParam),
                                                                HIWORD(lParam));
        return 0;
    case AfxSig_wv:
        return (this->*HandlerOf<UINT (CWnd::*)()>(e))();
    case AfxSig_bWww:
        return (this->*HandlerOf<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(e))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
    case AfxSig_iWww:
        return (this->*HandlerOf<int (CWnd::*)(CWnd*, UINT, UINT)>(e))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
    case AfxSig_vWp:
        (this->*HandlerOf<void (CWnd::*)(CWnd*, CPoint)>(e))(CWnd::FromHandle((HWND)wParam),
                                                             CPoint((DWORD)lParam));
        return 0;
    case AfxSig_hDWw: {
        UINT nCtlColor = e->nMessage - WM_CTLCOLORMSGBOX;
        return (LRESULT)(this->*HandlerOf<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(e))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nCtlColor);
    }
    case AfxSig_vOWNER:
        (this->*HandlerOf<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(e))((int)wParam,
                                                                     (LPDRAWITEMSTRUCT)lParam);
        return TRUE;
    case AfxSig_vMEASURE:
        (this->*HandlerOf<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(e))(
            (int)wParam, (LPMEASUREITEMSTRUCT)lParam);
        return TRUE;
    case AfxSig_vDRAWRFL:
        (this->*HandlerOf<void (CWnd::*)(LPDRAWITEMSTRUCT)>(e))((LPDRAWITEMSTRUCT)lParam);
        return TRUE;
    case AfxSig_vMEASRFL:
        (this->*HandlerOf<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(e))((LPMEASUREITEMSTRUCT)lParam);
        return TRUE;
    case AfxSig_vPOS:
        (this->*HandlerOf<void (CWnd::*)(WINDOWPOS*)>(e))((WINDOWPOS*)lParam);
        return 0;
    case AfxSig_lwl:
        return (this->*HandlerOf<LRESULT (CWnd::*)(WPARAM, LPARAM)>(e))(wParam, lParam);
    default:
        return 0;
    }
}

// WM_COMMAND: a control's notification goes to the control first, then to
// ON_CONTROL / ON_BN_CLICKED / ON_COMMAND entries of this window.
BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    if (hWndCtrl != NULL && SendChildNotify(hWndCtrl, WM_COMMAND, wParam, lParam, NULL))
        return TRUE;
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

// WM_NOTIFY: the sending control first (ON_NOTIFY_REFLECT), then this
// window's ON_NOTIFY entries.
BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (SendChildNotify(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::SendChildNotify(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == NULL)
        return FALSE;
    LRESULT lDummy = 0;
    return pChild->OnChildNotify(message, wParam, lParam, pResult != NULL ? pResult : &lDummy);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    const MSG& msg = AfxGetThreadState()->lastMsg;
    return SendChildNotify(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// Looks a notification this window sent up as WM_REFLECT_BASE + message.
BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_COMMAND: {
        const AFX_MSGMAP_ENTRY* e =
            FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
        if (e == NULL)
            return FALSE;
        if (e->nSig == AfxSig_bv)
            return (this->*HandlerOf<BOOL (CWnd::*)()>(e))();
        (this->*HandlerOf<void (CWnd::*)()>(e))();
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        const AFX_MSGMAP_ENTRY* e =
            FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_NOTIFY, (WORD)pNMHDR->code, 0);
        if (e == NULL)
            return FALSE;
        *pResult = 0;
        if (e->nSig == AfxSigNotify_b)
            return (this->*HandlerOf<BOOL (CWnd::*)(NMHDR*, LRESULT*)>(e))(pNMHDR, pResult);
        (this->*HandlerOf<void (CWnd::*)(NMHDR*, LRESULT*)>(e))(pNMHDR, pResult);
        return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_REFLECT_BASE + message, 0, 0);
        if (e == NULL)
            return FALSE;
        *pResult = CallMsgHandler(e, wParam, lParam);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// CWnd's life cycle: the handle maps, attaching and subclassing, creation
// through a CBT hook, the framework's window procedure and destruction.
#include "afximpl.h"

std::map<HWND, CWnd*>& AfxPermanentWnds() {
    static std::map<HWND, CWnd*> map;
    return map;
}

namespace {

void DropWnd(CWnd* p) {
    p->m_hWnd = NULL;
    delete p;
}

// Windows the system makes on its own while a thread creates its first
// window; they must not take the place of the window being created. Their
// classes carry CS_IME, whatever their names; Wine registers its default
// "IME" class without the style, so that name counts as well.
bool IsImeWindow(HWND hWnd) {
    if ((::GetClassLongPtrA(hWnd, GCL_STYLE) & CS_IME) != 0)
        return true;
    char szClass[8] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "IME") == 0;
}

// Arms the CBT hook for pWnd; the next window this thread creates is bound
// to it before it gets its first message.
void HookWindowCreate(CWnd* pWnd) {
    AFX_THREAD_STATE* st = AfxGetThreadState();
    if (st->hHookOldCbtFilter == NULL)
        st->hHookOldCbtFilter =
            ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    st->pWndInit = pWnd;
}

// Removes the hook; FALSE when it never fired (no window was bound).
BOOL UnhookWindowCreate() {
    AFX_THREAD_STATE* st = AfxGetThreadState();
    if (st->hHookOldCbtFilter != NULL) {
        ::UnhookWindowsHookEx(st->hHookOldCbtFilter);
        st->hHookOldCbtFilter = NULL;
    }
    if (st->pWndInit != NULL) {
        st->pWndInit = NULL;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// On HCBT_CREATEWND, attaches the window being created to its CWnd and
// subclasses it with AfxWndProc, before WM_NCCREATE is sent. A window that
// cannot be bound, or that a later hook refuses, leaves the object unbound
// and pWndInit set, so CreateEx ends with PostNcDestroy.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* st = AfxGetThreadState();
    HWND hWnd = (HWND)wParam;
    CWnd* pWnd = st->pWndInit;
    if (code != HCBT_CREATEWND || pWnd == NULL || IsImeWindow(hWnd))
        return ::CallNextHookEx(st->hHookOldCbtFilter, code, wParam, lParam);
    // The handle map already leads elsewhere (a stale entry of a dead
    // window with the same handle value): the window is refused rather than
    // routed to that object.
    if (!pWnd->Attach(hWnd))
        return 1;
    st->pWndInit = NULL;
    pWnd->PreSubclassWindow();
    WNDPROC oldProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldProc != AfxWndProc)
        *pWnd->GetSuperWndProcAddr() = oldProc;
    LRESULT lResult = ::CallNextHookEx(st->hHookOldCbtFilter, code, wParam, lParam);
    if (lResult != 0) {
        // Refused: the window dies without WM_NCDESTROY, so the handle must
        // leave the map here or a later window with its value would reach
        // this object.
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)oldProc);
        *pWnd->GetSuperWndProcAddr() = NULL;
        pWnd->Detach();
        st->pWndInit = pWnd;
    }
    return lResult;
}

// Routes a message of a permanent window to its object's WindowProc, with
// the message recorded as the thread's current one. After WM_NCDESTROY the
// object is detached even if a handler skipped CWnd::OnNcDestroy.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    AFX_THREAD_STATE* st = AfxGetThreadState();
    MSG oldMsg = st->lastMsg;
    st->lastMsg.hwnd = hWnd;
    st->lastMsg.message = message;
    st->lastMsg.wParam = wParam;
    st->lastMsg.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();
    st->lastMsg = oldMsg;
    return lResult;
}

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) {}
CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_pfnSuper(NULL) {}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
    if (m_hWnd != NULL && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const {
    // Read through a volatile copy: callers may use a NULL object pointer.
    const CWnd* volatile self = this;
    return self == NULL ? NULL : self->m_hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == NULL)
        return NULL;
    return AfxLookupPermanent(AfxPermanentWnds(), hWnd);
}

// The permanent object of hWnd, or a temporary wrapper owned by the calling
// thread. Temporaries of destroyed windows are swept as the map grows.
CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == NULL)
        return NULL;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    return AfxTempFromHandle(
        AfxGetThreadState()->tempWnds, hWnd, [](HWND h) { return ::IsWindow(h) != FALSE; },
        [](CWnd*, HWND) { return true; },
        [](HWND h) {
            CWnd* p = new CWnd;
            p->m_hWnd = h;
            return p;
        },
        DropWnd);
}

void CWnd::DeleteTempMap() {
    AfxClearTempMap(AfxGetThreadState()->tempWnds, DropWnd);
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    AfxGlobalLock lock;
    auto& map = AfxPermanentWnds();
    if (map.count(hWndNew) != 0)
        return FALSE;
    map[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h != NULL) {
        AfxGlobalLock lock;
        auto& map = AfxPermanentWnds();
        auto it = map.find(h);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = NULL;
    return h;
}

void CWnd::PreSubclassWindow() {}
WNDPROC* CWnd::GetSuperWndProcAddr() {
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldProc != AfxWndProc)
        *GetSuperWndProcAddr() = oldProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hWnd = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
    return hWnd != NULL && SubclassWindow(hWnd);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

// Lets PreCreateWindow adjust the parameters, then creates the window with
// the CBT hook armed so that the window is bound to this object from its
// first message on. A creation that fails before the hook fired ends with
// PostNcDestroy, as the window's destruction would.
BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                          cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!UnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL;
}

// Destroys the window. A permanent object may be deleted by its
// PostNcDestroy during the call, so it is not touched afterwards.
BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    bool bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (!bPermanent)
        m_hWnd = NULL;
    return bResult;
}

void CWnd::PostNcDestroy() {}

// WM_NCDESTROY: the default processing, then detaching and PostNcDestroy.
void CWnd::OnNcDestroy() {
    Default();
    FinishNcDestroy();
}

// Gives the window its original procedure back, forgets the handle and
// calls PostNcDestroy; also clears the application's main window pointer.
void CWnd::FinishNcDestroy() {
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this)
        pThread->m_pMainWnd = NULL;
    if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

// afxwnd_.h - CCmdTarget and CWnd: C++ objects bound to Win32 windows.
// Included by afxwin.h.
#pragma once

#include "afx.h"
#include "atltypes.h"
#include "afxmsg_.h"
#include "afxdc_.h"

struct CCreateContext;
struct AFX_CMDHANDLERINFO;

// Extra data of a WM_NOTIFY command lookup (OnCmdMsg's pExtra).
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Root of the classes that have a message map.
class AFX_CORE_API CCmdTarget : public CObject {
public:
    CCmdTarget() {}

    // Looks up a WM_COMMAND (nCode: notification code) or WM_NOTIFY
    // (nCode: MAKELONG(code, WM_NOTIFY or WM_REFLECT_BASE + WM_NOTIFY),
    // pExtra: AFX_NOTIFY*) entry for control nID in the map chain and calls it.
    // Returns TRUE when a handler was found (and, for _EX forms, returned TRUE).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DECLARE_MESSAGE_MAP()
};

// A window. A CWnd made with Create/CreateEx or bound with SubclassWindow is
// "permanent": the handle map leads from its HWND to it and every message
// of the window goes through WindowProc -> OnWndMsg -> the message map ->
// DefWindowProc (the window's original procedure). Creation subclasses the
// window before WM_NCCREATE, so WM_CREATE and early owner-draw messages reach
// the object, for any window class including the common controls.
//
// A control's notifications to its parent (WM_NOTIFY, WM_COMMAND, WM_DRAWITEM,
// WM_MEASUREITEM, WM_CTLCOLOR*) are first offered to the control's own object
// (OnChildNotify): ON_NOTIFY_REFLECT, ON_CONTROL_REFLECT, DrawItem,
// MeasureItem. Only when the control does not handle them does the parent's
// map see them.
class AFX_CORE_API CWnd : public CCmdTarget {
public:
    HWND m_hWnd;

    CWnd();
    // Destroys the window if the object still owns one.
    virtual ~CWnd();

    operator HWND() const { return m_hWnd; }
    // Like MFC, safe to call through a NULL pointer (returns NULL).
    HWND GetSafeHwnd() const;
    bool operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // Handle map. FromHandle returns the permanent object of hWnd or else a
    // temporary wrapper owned by the calling thread (valid while the window
    // lives; DeleteTempMap frees them all); NULL for a NULL handle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Makes hWnd route its messages through this object; its old window
    // procedure becomes the default procedure.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation. PreCreateWindow may change the CREATESTRUCT (class, styles)
    // before the window is made; a NULL class name picks the framework's
    // default class. Returns FALSE when no window was made.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = NULL);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();

    // Last message of a window's life: after it the object is detached and
    // PostNcDestroy runs (a class may delete itself there).
    virtual void PostNcDestroy();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // The message being handled on this thread (for Default and handlers).
    static const MSG* PASCAL GetCurrentMessage();
    // Offers the current message to the C++ object of hWndChild; TRUE when
    // that object handled it (*pResult then holds its result).
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);

    // Window state and layout.
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsIconic() const;
    BOOL IsChild(const CWnd* pWnd) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // pWndInsertAfter may be a window or &wndTop, &wndBottom, &wndTopMost,
    // &wndNoTopMost (or NULL with SWP_NOZORDER).
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void BringWindowToTop();
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;

    // Styles.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; nFlags != 0 also calls SetWindowPos with
    // SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Relatives.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);

    // Focus, capture, activation.
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetActiveWindow();
    BOOL SetForegroundWindow();

    // Text.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;

    // Timers (nIDEvent is returned on success, 0 on failure). Both calls are
    // reported to the timer hook (AfxSetTimerHook).
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // A modal message box owned by this window, through AfxShowMessageBox.
    // A NULL caption shows the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Values for SetWindowPos's pWndInsertAfter.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

protected:
    explicit CWnd(HWND hWnd);

    // Message handlers with the default behaviour (the window's default
    // procedure); derived classes name them in their message maps.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // Dispatch. WindowProc calls OnWndMsg and, when nothing handled the
    // message, DefWindowProc. OnWndMsg offers control notifications to the
    // control first (ReflectLastMsg), then looks the message up in the map.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the current message.
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification this control sent to its parent, offered back to it.
    // The default calls ReflectChildNotify.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Looks the notification up as WM_REFLECT_BASE + message in this map.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PreSubclassWindow();
    virtual WNDPROC* GetSuperWndProcAddr();

    WNDPROC m_pfnSuper; // original window procedure, called by DefWindowProc

    DECLARE_MESSAGE_MAP()

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);

private:
    // Detaches after WM_NCDESTROY and calls PostNcDestroy.
    void FinishNcDestroy();
    // Offers a notification to the C++ object of hWndChild (OnChildNotify).
    static BOOL PASCAL SendChildNotify(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* pResult);
    // Calls a window-message handler with unpacked parameters.
    LRESULT CallMsgHandler(const AFX_MSGMAP_ENTRY* pEntry, WPARAM wParam, LPARAM lParam);

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

// The framework's window procedure, installed on every permanent window.
AFX_CORE_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

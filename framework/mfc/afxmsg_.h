// afxmsg_.h - message maps: the entry table, the handler signatures and the
// ON_... macros. Included by afxwin.h.
//
// A class declares DECLARE_MESSAGE_MAP() and defines its table with
//   BEGIN_MESSAGE_MAP(CMyWnd, CBaseWnd)
//       ON_WM_CREATE()
//       ON_MESSAGE(WM_USER + 1, OnMyMessage)
//       ON_BN_CLICKED(IDC_OK, OnOk)
//   END_MESSAGE_MAP()
// Handlers are named bare (OnMyMessage, not &CMyWnd::OnMyMessage). Dispatch
// looks a message up in the class's table, then in its base class's table.
#pragma once

#include <string.h>

class CCmdTarget;
class CWnd;

// A generic handler pointer; the entry's nSig says its real signature.
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);

// Messages reflected back to the control that sent them are looked up as
// WM_REFLECT_BASE + message in the control's own table.
#define WM_REFLECT_BASE 0xBC00

// Signatures of handlers, stored in AFX_MSGMAP_ENTRY::nSig.
enum AfxSig {
    AfxSig_end = 0,  // end of the table
    AfxSig_vv,       // void ()
    AfxSig_bv,       // BOOL ()                 (ON_..._REFLECT_EX of commands)
    AfxSig_is,       // int (LPCREATESTRUCT)
    AfxSig_vTimer,   // void (UINT_PTR)
    AfxSig_bD,       // BOOL (CDC*)
    AfxSig_vwii,     // void (UINT, int, int)
    AfxSig_vii,      // void (int, int)
    AfxSig_vwp,      // void (UINT, CPoint)
    AfxSig_vW,       // void (CWnd*)
    AfxSig_vb,       // void (BOOL)
    AfxSig_vbw,      // void (BOOL, UINT)
    AfxSig_vwww,     // void (UINT, UINT, UINT)
    AfxSig_wv,       // UINT ()
    AfxSig_bWww,     // BOOL (CWnd*, UINT, UINT)
    AfxSig_iWww,     // int (CWnd*, UINT, UINT)
    AfxSig_vWp,      // void (CWnd*, CPoint)
    AfxSig_hDWw,     // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_vOWNER,   // void (int, LPDRAWITEMSTRUCT)
    AfxSig_vMEASURE, // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_vDRAWRFL, // void (LPDRAWITEMSTRUCT)     (reflected)
    AfxSig_vMEASRFL, // void (LPMEASUREITEMSTRUCT)  (reflected)
    AfxSig_vPOS,     // void (WINDOWPOS*)
    AfxSig_lwl,      // LRESULT (WPARAM, LPARAM)
    AfxSigNotify_v,  // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,  // BOOL (NMHDR*, LRESULT*)
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message (WM_COMMAND, WM_NOTIFY, ...)
    UINT nCode;    // control notification code, or 0
    UINT nID;      // first control id, or 0
    UINT nLastID;  // last control id of a range, or 0
    UINT_PTR nSig; // AfxSig value
    AFX_PMSG pfn;  // handler, converted with AfxMsgFn
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)(); // base class's map, NULL at the root
    const AFX_MSGMAP_ENTRY* lpEntries;          // table ending with AfxSig_end
};

// Stores a typed handler pointer in the generic slot bit for bit; dispatch
// copies it back to the same typed pointer before calling it.
template <class F> inline AFX_PMSG AfxMsgFn(F f) {
    static_assert(sizeof(F) == sizeof(AFX_PMSG), "handler pointer size");
    AFX_PMSG p;
    memcpy(&p, &f, sizeof(p));
    return p;
}

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                           \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                                       \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// Typed entry: checks the handler's signature against CWnd-level type T.
#define AFX_MSG_ENTRY(msg, code, id, last, sig, T, fn)                                             \
    {(UINT)(msg),  (UINT)(code),    (UINT)(id),                                                    \
     (UINT)(last), (UINT_PTR)(sig), AfxMsgFn(static_cast<T>(&ThisClass::fn))},

// Window messages.
#define ON_WM_CREATE()                                                                             \
    AFX_MSG_ENTRY(WM_CREATE, 0, 0, 0, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, 0, 0, 0, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY()                                                                          \
    AFX_MSG_ENTRY(WM_NCDESTROY, 0, 0, 0, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, 0, 0, 0, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, 0, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_TIMER()                                                                              \
    AFX_MSG_ENTRY(WM_TIMER, 0, 0, 0, AfxSig_vTimer, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_ERASEBKGND()                                                                         \
    AFX_MSG_ENTRY(WM_ERASEBKGND, 0, 0, 0, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE()                                                                               \
    AFX_MSG_ENTRY(WM_SIZE, 0, 0, 0, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, 0, 0, 0, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SHOWWINDOW()                                                                         \
    AFX_MSG_ENTRY(WM_SHOWWINDOW, 0, 0, 0, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, 0, 0, 0, AfxSig_vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_WINDOWPOSCHANGED()                                                                   \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, 0, 0, 0, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*),           \
                  OnWindowPosChanged)
#define ON_WM_LBUTTONDOWN()                                                                        \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, 0, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()                                                                          \
    AFX_MSG_ENTRY(WM_LBUTTONUP, 0, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, 0, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint),             \
                  OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()                                                                        \
    AFX_MSG_ENTRY(WM_RBUTTONDOWN, 0, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()                                                                          \
    AFX_MSG_ENTRY(WM_RBUTTONUP, 0, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE()                                                                          \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, 0, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSELEAVE()                                                                         \
    AFX_MSG_ENTRY(WM_MOUSELEAVE, 0, 0, 0, AfxSig_vv, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_MOUSEACTIVATE()                                                                      \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE, 0, 0, 0, AfxSig_iWww, int (CWnd::*)(CWnd*, UINT, UINT),        \
                  OnMouseActivate)
#define ON_WM_SETCURSOR()                                                                          \
    AFX_MSG_ENTRY(WM_SETCURSOR, 0, 0, 0, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT),           \
                  OnSetCursor)
#define ON_WM_CAPTURECHANGED()                                                                     \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CONTEXTMENU()                                                                        \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, 0, 0, 0, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_SETFOCUS()                                                                           \
    AFX_MSG_ENTRY(WM_SETFOCUS, 0, 0, 0, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_MSG_ENTRY(WM_KILLFOCUS, 0, 0, 0, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_KEYDOWN()                                                                            \
    AFX_MSG_ENTRY(WM_KEYDOWN, 0, 0, 0, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()                                                                              \
    AFX_MSG_ENTRY(WM_KEYUP, 0, 0, 0, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR()                                                                               \
    AFX_MSG_ENTRY(WM_CHAR, 0, 0, 0, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_GETDLGCODE()                                                                         \
    AFX_MSG_ENTRY(WM_GETDLGCODE, 0, 0, 0, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_CTLCOLOR()                                                                           \
    AFX_MSG_ENTRY(WM_CTLCOLORSTATIC, 0, 0, 0, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT),    \
                  OnCtlColor)                                                                      \
    AFX_MSG_ENTRY(WM_CTLCOLORBTN, 0, 0, 0, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT),       \
                  OnCtlColor)                                                                      \
    AFX_MSG_ENTRY(WM_CTLCOLOREDIT, 0, 0, 0, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT),      \
                  OnCtlColor)                                                                      \
    AFX_MSG_ENTRY(WM_CTLCOLORLISTBOX, 0, 0, 0, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT),   \
                  OnCtlColor)
#define ON_WM_DRAWITEM()                                                                           \
    AFX_MSG_ENTRY(WM_DRAWITEM, 0, 0, 0, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT),      \
                  OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                        \
    AFX_MSG_ENTRY(WM_MEASUREITEM, 0, 0, 0, AfxSig_vMEASURE,                                        \
                  void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)

// Owner-draw messages reflected to the control itself.
#define ON_WM_DRAWITEM_REFLECT()                                                                   \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, AfxSig_vDRAWRFL,                         \
                  void(CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, AfxSig_vMEASRFL,                      \
                  void(CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)

// Any message: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_MSG_ENTRY(message, 0, 0, 0, AfxSig_lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)
// A message registered with RegisterWindowMessage; nMessageVariable is a
// UINT variable read when the table is first built.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) ON_MESSAGE(nMessageVariable, memberFxn)

// WM_COMMAND: menu and accelerator commands, control notifications.
#define ON_COMMAND(id, memberFxn)                                                                  \
    AFX_MSG_ENTRY(WM_COMMAND, 0, (WORD)(id), (WORD)(id), AfxSig_vv, void (CWnd::*)(), memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    AFX_MSG_ENTRY(WM_COMMAND, 0, (WORD)(id), (WORD)(idLast), AfxSig_vv, void (CWnd::*)(), memberFxn)
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    AFX_MSG_ENTRY(WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_vv,              \
                  void (CWnd::*)(), memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                 \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_vv,              \
                  void(CWnd::*)(), memberFxn)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                              \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_bv,              \
                  BOOL(CWnd::*)(), memberFxn)

// WM_NOTIFY: void memberFxn(NMHDR*, LRESULT*). The _EX forms return BOOL;
// FALSE lets the parent see a reflected notification too.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
    AFX_MSG_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v,     \
                  void (CWnd::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                        \
    AFX_MSG_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_v, \
                  void (CWnd::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                  \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v,     \
                  void(CWnd::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                               \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b,     \
                  BOOL(CWnd::*)(NMHDR*, LRESULT*), memberFxn)

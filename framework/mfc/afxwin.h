// afxwin.h - chief header of the MFC subset (mfcsub.dll): strings,
// collections, geometry, GDI and device contexts, windows and message maps,
// threads and the application, extension libraries, and the framework's
// seams for message boxes, the clock and timers.
#pragma once

#include "afx.h"
#include "atltypes.h"
#include "afxgdi_.h"
#include "afxdc_.h"
#include "afxmsg_.h"
#include "afxwnd_.h"
#include "afxthrd_.h"
#include "afxdll_.h"

// Module handles. The instance handle is the application's executable; the
// resource handle (first stop of every resource search) defaults to it.
AFX_CORE_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_CORE_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_CORE_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// Registers (once) a window class with the given class style, cursor,
// background brush and icon whose procedure is DefWindowProc, and returns
// its name. The same arguments always give the same name; the string stays
// valid for the life of the process.
AFX_CORE_API LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
                                                HBRUSH hbrBackground = 0, HICON hIcon = 0);

// ---- Seam: modal message boxes --------------------------------------------
// Every message box of the framework (CWnd::MessageBox, AfxMessageBox, and
// the libraries built on it) goes through AfxShowMessageBox. A hook set with
// AfxSetMessageBoxHook receives the arguments instead of ::MessageBoxA and
// returns the button the user "pressed" (IDOK, IDYES, ...); tests use it to
// see and answer boxes without a modal loop. A NULL hook restores
// ::MessageBoxA. Process-wide.
typedef int (*AFX_MESSAGEBOX_HOOK)(void* ctx, HWND owner, LPCSTR text, LPCSTR caption, UINT type);
AFX_CORE_API void AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook, void* ctx);
AFX_CORE_API int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption,
                                          UINT nType);
// A box owned by the main window with the application's name as caption.
AFX_CORE_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_CORE_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// ---- Seam: the millisecond clock ------------------------------------------
// AfxGetTickCount is the framework's clock: ::GetTickCount, or the hook set
// with AfxSetTickCountHook (NULL restores ::GetTickCount). Code that measures
// time (idle watches, timeouts) reads it so tests can move time at will.
// Process-wide.
typedef DWORD (*AFX_TICKCOUNT_HOOK)(void* ctx);
AFX_CORE_API void AFXAPI AfxSetTickCountHook(AFX_TICKCOUNT_HOOK pfnHook, void* ctx);
AFX_CORE_API DWORD AFXAPI AfxGetTickCount();

// ---- Seam: timers -----------------------------------------------------------
// CWnd::SetTimer and CWnd::KillTimer report each call to the hook set with
// AfxSetTimerHook before making it: the window, the timer id, and the period
// in milliseconds (SetTimer, bKill FALSE) or bKill TRUE (KillTimer, nElapse
// 0). The timers are still set and killed; tests read from the reports
// which timers a window set and killed, and with which periods. A NULL hook
// stops the reports. Process-wide.
typedef void (*AFX_TIMER_HOOK)(void* ctx, HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, BOOL bKill);
AFX_CORE_API void AFXAPI AfxSetTimerHook(AFX_TIMER_HOOK pfnHook, void* ctx);

// The two C functions a channel-list plug-in DLL exports so that a host can
// make and delete its window object without knowing its class:
//
//   extern "C" __declspec(dllexport) CTsChildWnd* TsCreateChannelListWnd(void);
//   extern "C" __declspec(dllexport) void TsDeleteChannelListWnd(CTsChildWnd* pWnd);
//
// The object is made and deleted inside the plug-in (its own heap and
// vtable); the host gives it the records, creates its window as the frame's
// child 1, destroys the window and then calls the delete function.
// TS_DEFINE_CHANNELLIST_FACTORY(CMyWnd) in one source file of the plug-in
// defines both.
#pragma once

class CTsChildWnd;

// Names for GetProcAddress.
#define TS_CREATE_CHANNELLIST_WND "TsCreateChannelListWnd"
#define TS_DELETE_CHANNELLIST_WND "TsDeleteChannelListWnd"

typedef CTsChildWnd* (*PFN_TS_CREATE_CHANNELLIST_WND)(void);
typedef void (*PFN_TS_DELETE_CHANNELLIST_WND)(CTsChildWnd* pWnd);

#define TS_DEFINE_CHANNELLIST_FACTORY(theClass)                                                    \
    extern "C" __declspec(dllexport) CTsChildWnd* TsCreateChannelListWnd(void) {                   \
        return new theClass;                                                                       \
    }                                                                                              \
    extern "C" __declspec(dllexport) void TsDeleteChannelListWnd(CTsChildWnd* pWnd) {              \
        delete pWnd;                                                                               \
    }

// Entry point of the plug-in DLL: registers the module as an extension
// library of the host's framework, so that its string tables join the
// resource chain that CString::LoadString searches; and the two C exports
// through which a host makes and deletes the channel-list window.
#include <afxwin.h>
#include <afxdllx.h>
#include <TsPluginFactory.h>

#include "ChannelListWnd.h"

static AFX_EXTENSION_MODULE s_peltoraModule = {FALSE, NULL, NULL}; // this DLL in the chain

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
    UNUSED_ALWAYS(lpReserved);
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(s_peltoraModule, hInstance))
            return FALSE;
        // The chain owns the library object; AfxTermExtensionModule deletes it.
        new CDynLinkLibrary(s_peltoraModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_peltoraModule);
    }
    return TRUE;
}

TS_DEFINE_CHANNELLIST_FACTORY(CTsChannelListWnd)

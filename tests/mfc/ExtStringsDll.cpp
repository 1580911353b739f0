// A minimal extension DLL: registers itself in the resource chain when
// loaded and leaves it when unloaded.
#include "afxdllx.h"

static AFX_EXTENSION_MODULE s_module = {FALSE, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(s_module, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_module);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_module);
    }
    return TRUE;
}

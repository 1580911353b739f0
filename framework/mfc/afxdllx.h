// afxdllx.h - included by an extension DLL's DllMain source. The DLL calls
// AfxInitExtensionModule and then `new CDynLinkLibrary(module)` on
// DLL_PROCESS_ATTACH, and AfxTermExtensionModule on DLL_PROCESS_DETACH.
#pragma once

#include "afxwin.h"

// CTsTestHost: counts of what the process holds, for leak checks.
//
// Wine answers GetGuiResources with 0 and GetProcessHandleCount with
// nothing, so there the counts are taken another way: GDI objects as the
// live entries of the GDI handle table (Wine accepts a handle given by its
// table index alone), USER objects as the windows of this thread and their
// descendants, handles as the handle values that name an open handle.
#include "TsTestHost.h"

namespace {

int GdiObjectCount() {
    const DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (nCount != 0)
        return (int)nCount;
    int nLive = 0;
    for (ULONG_PTR i = 1; i < 0x10000; ++i)
        nLive += ::GetObjectType((HGDIOBJ)i) != 0;
    return nLive;
}

BOOL CALLBACK CountWindow(HWND hWnd, LPARAM lParam) {
    ++*reinterpret_cast<int*>(lParam);
    ::EnumChildWindows(hWnd, CountWindow, lParam);
    return TRUE;
}

int UserObjectCount() {
    const DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (nCount != 0)
        return (int)nCount;
    int nWindows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&nWindows));
    return nWindows;
}

int HandleCount() {
    DWORD nCount = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &nCount) && nCount != 0)
        return (int)nCount;
    int nOpen = 0;
    DWORD dwFlags = 0;
    for (ULONG_PTR h = 4; h < 0x4000; h += 4)
        nOpen += ::GetHandleInformation((HANDLE)h, &dwFlags) != FALSE;
    return nOpen;
}

} // namespace

TsResourceCounts CTsTestHost::CountResources() {
    TsResourceCounts counts = {GdiObjectCount(), UserObjectCount(), HandleCount()};
    return counts;
}

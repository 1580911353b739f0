// The presence event, shared by every channel-list window of the process.
#include "PresenceEvent.h"

#include "ChannelListWnd.h"

HANDLE g_hPresenceEvent = NULL;

// Windows that hold the event. Touched only on the UI thread, by window
// constructors and destructors; the count keeps a second window from
// leaking the first one's handle or closing the event under it.
static int s_nPresenceHolders = 0;

int TsPresenceEventName(CString& strName) {
    char szPath[MAX_PATH + 1];
    const DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLength == 0)
        return 0;
    szPath[nLength < MAX_PATH ? nLength : MAX_PATH] = '\0';
    strName = szPath;
    // Kernel object names may not hold backslashes. The replacement steps
    // over double-byte characters, whose trail byte may equal '\\'.
    strName.Replace('\\', '_');
    return 1;
}

void TsAcquirePresenceEvent() {
    ++s_nPresenceHolders;
    if (g_hPresenceEvent != NULL)
        return;
    CString strName;
    if (!TsPresenceEventName(strName))
        return;
    g_hPresenceEvent = ::CreateEventA(NULL, FALSE, FALSE, strName);
}

void TsReleasePresenceEvent() {
    if (s_nPresenceHolders > 0)
        --s_nPresenceHolders;
    if (s_nPresenceHolders == 0 && g_hPresenceEvent != NULL) {
        ::CloseHandle(g_hPresenceEvent);
        g_hPresenceEvent = NULL;
    }
}

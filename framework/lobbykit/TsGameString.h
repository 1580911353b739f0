// The start record the frame hands its channel-list child with the first
// activation (WM_TS_SETACTIVEWINDOW, wParam TSACT_EX | TSACT_ON).
#pragma once

#include <afxwin.h>

struct __tag_GameString {
    CString strGameString; // the host's game string (a message text)
    CString strGroupMsg;   // the group parameter message, may be empty
    DWORD dwReserved;      // a 32-bit value the channel list does not use
};

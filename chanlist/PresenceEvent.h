// The presence event: a named, auto-reset event that exists while a
// channel-list window object lives in this process, so that other processes
// can tell by opening it. Its name is the full path of the host's
// executable with every backslash turned into an underscore. Nothing
// signals or waits on it.
#pragma once

#include <afxwin.h>

// Builds the event's name into strName. Returns 0 when the executable's
// path cannot be read.
int TsPresenceEventName(CString& strName);

// Called by each window's constructor: the first one creates the event and
// stores it in g_hPresenceEvent, later ones share it.
void TsAcquirePresenceEvent();

// Called by each window's destructor: the last one closes the event and
// sets g_hPresenceEvent to null.
void TsReleasePresenceEvent();

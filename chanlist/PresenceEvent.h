// The presence event: a named, auto-reset event that exists while a
// channel-list window object lives in this process, so that other processes
// can tell by opening it. Its name is the full path of the host's
// executable with every backslash turned into an underscore. Nothing
// signals or waits on it.
//
// The name is open to every process of the session, so it can be taken
// before a window comes. When it names another kind of object, creating
// the event fails: the window then goes without it (g_hPresenceEvent stays
// null, nothing else depends on it) and the next window to be constructed
// tries again. When another process made the event first, the window holds
// a handle to that one; it only ever closes its own handle. In both cases
// the window behaves as it always does, since it never waits on the event:
// what others read from the name is theirs to trust.
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

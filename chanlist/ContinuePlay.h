// The continue-play values: other parts of the client remember, under the
// client's registry key (HKEY_CURRENT_USER), the channel and room of the
// last game a user played, so that the channel list can offer to return
// there. The window reads them when it loads a catalogue and deletes them
// when the user declines.
//
//   "ContPlayId"    text, at most 255 bytes: the user the values belong to
//   "ContPlayChId"  text, at most 30 bytes: channel id of the last game
//   "ContPlayGmId"  32-bit number: room of the last game
//   "ContPlaySbId"  sub id of the last game (only ever deleted here)
#pragma once

#include <windows.h>

#include "PeltoraApi.h"

// Reads the values under HKEY_CURRENT_USER\pszRegKey (the key is created
// when missing, as the client's other parts expect it to exist) when
// "ContPlayId" equals pszMemberId byte for byte. Then "ContPlayChId" goes
// into szChannelId and "ContPlayGmId" into nRoom, each only when its own
// read succeeds. Returns 1 when the values belong to this user, 0 when the
// key cannot be opened, "ContPlayId" is missing, too long or another
// user's.
PELTORA_API int TsReadContinuePlay(LPCSTR pszRegKey, const char* pszMemberId,
                                   char (&szChannelId)[32], int& nRoom);

// Deletes "ContPlayId", "ContPlaySbId", "ContPlayChId" and "ContPlayGmId",
// in this order, ignoring values that are missing. Returns 0 when the key
// cannot be opened (nothing is deleted), else 1.
PELTORA_API int TsDeleteContinuePlay(LPCSTR pszRegKey);

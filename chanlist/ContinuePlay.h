// The client's registry values that the window reads, under the client's
// key (HKEY_CURRENT_USER, or HKEY_LOCAL_MACHINE where TsRegion says so).
//
// Continue play: other parts of the client remember the channel and room of the
// last game a user played, so that the channel list can offer to return
// there. The window reads them when it loads a catalogue and deletes them
// when the user declines.
//
//   "ContPlayId"    text, at most 255 characters: the user the values belong to
//   "ContPlayChId"  text, at most 30 characters: channel id of the last game
//   "ContPlayGmId"  32-bit number: room of the last game
//   "ContPlaySbId"  sub id of the last game (only ever deleted here)
//
// Where the groups name their own servers, the window also remembers the
// group chosen last, "LastSelGrId" (text, at most 255 characters).
//
// A text may be stored with or without its terminating NUL. Each step opens
// the key with only the access it needs (reading, or setting and deleting
// values), so that a key the user may only read still gives its values.
#pragma once

#include <windows.h>

#include "PeltoraApi.h"

// Reads the values under the client's key pszRegKey (the key is created
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

// Reads "LastSelGrId" into szGroupId; 0 when the key cannot be opened or
// the value is missing or longer than 255 characters (szGroupId is then
// empty).
PELTORA_API int TsReadLastGroup(LPCSTR pszRegKey, char (&szGroupId)[256]);
// Writes "LastSelGrId" = pszGroupId as REG_SZ with its terminating NUL.
PELTORA_API int TsWriteLastGroup(LPCSTR pszRegKey, const char* pszGroupId);

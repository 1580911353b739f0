// What the plug-in's three regional configurations (Korean, Japanese,
// Simplified Chinese) do differently. The configuration is chosen when the
// plug-in is built (PELTORA_REGION_KO, _JA or _CN, one DLL each); every
// difference is one constant here, named after what it decides, and the
// code asks these constants instead of testing the region itself.
#pragma once

#include <windows.h>

#if defined(PELTORA_REGION_JA)
#define TS_REGION_JA 1
#elif defined(PELTORA_REGION_CN)
#define TS_REGION_CN 1
#endif

namespace TsRegion {

#if defined(TS_REGION_JA)
const bool kJapanese = true;
#else
const bool kJapanese = false;
#endif
#if defined(TS_REGION_CN)
const bool kChinese = true;
#else
const bool kChinese = false;
#endif
const bool kKorean = !kJapanese && !kChinese;

// The window's named presence event exists (Korean only).
const bool kPresenceEvent = kKorean;
// Init reads the game id "TET3" as "TETRIS" (Korean only).
const bool kRenameTet3 = kKorean;
// Coming to the front (DoActive(1)) refreshes the channel list; the other
// configurations only hide the splash.
const bool kRefreshWhenActivated = kKorean;
// The avatar redraw timer exists (not in the Japanese configuration, whose
// avatar also lives until the window is destroyed), and its period.
const bool kAvatarTimer = !kJapanese;
const UINT kAvatarTimerPeriod = kChinese ? 100 : 200;
// The group switch renders the group's message of limits (Korean only; the
// others keep the start record's group message).
const bool kGroupMessage = kKorean;
// Every join first asks the frame's CheckConfidenceMemory (Japanese).
const bool kConfidenceGate = kJapanese;
// A double-click on a channel whose sub id has 'D' as third character asks
// whether to enter a practice lobby (Japanese).
const bool kPracticeLobbyQuestion = kJapanese;
// Each group names its own channel-list server in the catalogue (positions
// 7 and 8, the address packed with CEncodeToWeb), the group chosen last is
// remembered as "LastSelGrId", the rating band applies only when the frame
// uses ratings, and a double-click tells the frame's window the group and
// channel names (WM_USER+53) (Simplified Chinese).
const bool kGroupServers = kChinese;
const bool kRememberLastGroup = kChinese;
const bool kRatingBandByFrame = kChinese;
const bool kChannelNameToFrame = kChinese;
// Where the window's total users line is drawn (the Japanese panel leaves
// it further right); a listing repaints exactly this rectangle.
const RECT kTotalLineRect = kJapanese ? RECT{210, 102, 310, 122} : RECT{169, 102, 269, 122};
// Where the continue-play values (and "LastSelGrId") live.
inline HKEY RegistryRoot() {
    return kChinese ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

} // namespace TsRegion

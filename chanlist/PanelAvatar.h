// CTsPanelAvatar: the avatar class the member panel draws. The Simplified-
// Chinese configuration links avatarvel in place of avatarkit and draws its
// 150 x 180 avatar; the Japanese one draws avatarkit's CTsAvatar, which
// reports when it is ready; the Korean one avatarkit's CAvtr2004.
#pragma once

#if defined(PELTORA_REGION_CN)
#include <AvtrVel.h>
typedef CAvtrVel CTsPanelAvatar;
#elif defined(PELTORA_REGION_JA)
#include <TsAvatar.h>
typedef CTsAvatar CTsPanelAvatar;
#else
#include <Avtr2004.h>
typedef CAvtr2004 CTsPanelAvatar;
#endif

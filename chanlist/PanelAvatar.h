// CTsPanelAvatar: the avatar class the member panel draws. The Simplified-
// Chinese configuration links avatarvel in place of avatarkit and draws its
// 150 x 180 avatar; the others draw avatarkit's 100 x 120 one.
#pragma once

#if defined(PELTORA_REGION_CN)
#include <AvtrVel.h>
typedef CAvtrVel CTsPanelAvatar;
#else
#include <Avtr2004.h>
typedef CAvtr2004 CTsPanelAvatar;
#endif

// Export and import of the avatarvel library's public classes.
#pragma once

#if defined(AVATARVEL_BUILD)
#define AVATARVEL_API __declspec(dllexport)
#else
#define AVATARVEL_API __declspec(dllimport)
#endif

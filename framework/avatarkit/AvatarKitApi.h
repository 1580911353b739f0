// Export and import of the avatarkit library's public classes and functions.
#pragma once

#if defined(AVATARKIT_BUILD)
#define AVATARKIT_API __declspec(dllexport)
#else
#define AVATARKIT_API __declspec(dllimport)
#endif

// Export and import of the drawkit library's public classes and functions.
#pragma once

#if defined(DRAWKIT_BUILD)
#define DRAWKIT_API __declspec(dllexport)
#else
#define DRAWKIT_API __declspec(dllimport)
#endif

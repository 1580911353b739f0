// Export and import of the msgdata library's public classes and globals.
#pragma once

#if defined(_WIN32)
#if defined(MSGDATA_BUILD)
#define MSGDATA_API __declspec(dllexport)
#else
#define MSGDATA_API __declspec(dllimport)
#endif
#else
#define MSGDATA_API __attribute__((visibility("default")))
#endif

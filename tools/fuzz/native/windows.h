// The few Win32 declarations the plug-in's plain logic uses, for the native
// fuzz build only (the Windows builds use the real header). The ANSI code
// page is taken to be 949 (Korean) or 936 (Simplified Chinese), whose
// double-byte lead bytes are 0x81 to 0xFE.
#pragma once

#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef struct HKEY__* HKEY;
typedef struct tagRECT {
    long left, top, right, bottom;
} RECT;

#define TRUE 1
#define FALSE 0
#define HKEY_CURRENT_USER ((HKEY)(size_t)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(size_t)0x80000002)

inline BOOL IsDBCSLeadByte(BYTE b) {
    return b >= 0x81 && b <= 0xFE;
}

// The callers terminate the buffer themselves, so the one difference from
// snprintf (no terminator when the text is cut) does not matter to them.
#define _snprintf snprintf

inline int _stricmp(const char* a, const char* b) {
    return strcasecmp(a, b);
}

// afx.h - core of the MFC subset: export macro, diagnostics macros, CObject,
// CString and the pointer collections.
#pragma once

#ifndef _MBCS
#define _MBCS
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <tchar.h>
#include <stdarg.h>
#include <stdio.h>
#include <stddef.h>

// Classes and functions of the subset live in mfcsub.dll so that every module
// of the process shares one copy of the framework's state.
#ifdef MFCSUB_BUILD
#define AFX_CORE_API __declspec(dllexport)
#else
#define AFX_CORE_API __declspec(dllimport)
#endif

#define AFX_DATA
#define AFX_CDECL __cdecl
#define AFXAPI __stdcall
#define afx_msg
#define AFX_MSG_CALL

// Checks compile to nothing: the subset has no debug build of its own.
#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ((void)0)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
#ifndef UNUSED_ALWAYS
#define UNUSED_ALWAYS(x) ((void)(x))
#endif

struct CRuntimeClass;

// Root of the class tree. The subset carries no run-time class information
// or serialization; the virtual destructor is what derived classes rely on.
class AFX_CORE_API CObject {
public:
    virtual ~CObject() {}

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#include "afxstr.h"
#include "afxcoll.h"

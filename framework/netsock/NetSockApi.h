// NETSOCK_API marks what the netsock DLL exports. Builds that compile the
// portable sources directly (native tools, or Windows tools defining
// NETSOCK_STATIC) get an empty macro.
#pragma once

#if defined(_WIN32) && !defined(NETSOCK_STATIC)
#ifdef NETSOCK_BUILD
#define NETSOCK_API __declspec(dllexport)
#else
#define NETSOCK_API __declspec(dllimport)
#endif
#else
#define NETSOCK_API
#endif

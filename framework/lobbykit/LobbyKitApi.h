// LOBBYKIT_API marks what the lobbykit DLL exports: the child-window base
// class, the lobby frame, the controls and the host's records.
#pragma once

#if defined(LOBBYKIT_BUILD)
#define LOBBYKIT_API __declspec(dllexport)
#else
#define LOBBYKIT_API __declspec(dllimport)
#endif

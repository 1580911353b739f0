// What the Windows benchmarks share: the channel-list window in the test
// host, started from a game string, in the folder of the benchmark program
// (where the plug-ins and the Images folder are).
#pragma once

#include <ChannelListWnd.h>
#include <TsTestHost.h>

// The folder of this program.
CString BenchProgramFolder();

// A host game string for game TETRIS naming the channel-list server at
// 127.0.0.1:nPort (the server need not exist).
CString BenchGameString(unsigned short nPort = 9100);

// Sets up host around wnd (no ad view, category RNKTET, member "bench",
// the configuration's other values from pairs of key and value, ended by a
// null key), makes the frame in the program's folder and starts the window
// with strGameString from pszCatalogueDir (null: the program's folder too).
// Returns false, saying so on stderr as pszProgram, when the window cannot
// be made.
bool BenchStartWindow(CTsTestHost& host, CTsChannelListWnd& wnd, const CString& strGameString,
                      const char* pszProgram, const char* const* ppszConfig,
                      const char* pszCatalogueDir = NULL);

// Helpers shared by the lobbykit tests: the folder of the test program
// (the demo images and the sample plug-in lie there), a bounded message
// pump, and a plain top-level parent window.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>

// Folder of the running test program, without a trailing backslash.
std::string ExeFolder();
// Handles messages until cond() holds, waiting at most nCapMs in all.
bool PumpUntil(const std::function<bool()>& cond, DWORD nCapMs = 5000);
// Handles the messages waiting now.
void PumpPending();

// A visible top-level window to put controls in.
class CTestParentWnd : public CWnd {
public:
    int CreateParent(int cx = 640, int cy = 480);
};

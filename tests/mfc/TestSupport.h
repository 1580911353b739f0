// Helpers shared by the window tests.
#pragma once

#include "afxwin.h"

#include <functional>

// Dispatches this thread's messages until done() holds or a bounded number
// of rounds has passed. Returns done().
bool PumpUntil(const std::function<bool()>& done);

// Dispatches every message already queued for this thread.
void PumpPending();

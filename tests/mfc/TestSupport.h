// Helpers shared by the window tests.
#pragma once

#include "afxwin.h"

#include <functional>

// Dispatches this thread's messages until done() holds or a bounded number
// of rounds has passed. Returns done().
bool PumpUntil(const std::function<bool()>& done);

// Dispatches every message already queued for this thread.
void PumpPending();

// While it lives, lets the next nAllowed CString allocations through and
// fails every later one (AfxSetStringAllocHook).
class StringAllocBudget {
public:
    explicit StringAllocBudget(int nAllowed);
    ~StringAllocBudget();
    StringAllocBudget(const StringAllocBudget&) = delete;
    StringAllocBudget& operator=(const StringAllocBudget&) = delete;

private:
    static BOOL Take(void* ctx, int nChars);
    int m_nLeft;
};

// Helpers shared by the window tests.
#pragma once

#include "afxwin.h"

#include <functional>

// Dispatches this thread's messages until done() holds or a bounded number
// of rounds has passed. Returns done().
bool PumpUntil(const std::function<bool()>& done);

// Dispatches every message already queued for this thread.
void PumpPending();

// GDI objects this process holds: GetGuiResources, or where that answers 0
// (Wine) the live entries of the GDI handle table, which Wine finds by
// their table index alone.
int GdiObjectCount();

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

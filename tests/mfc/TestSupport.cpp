#include "TestSupport.h"

// Each round dispatches what is queued; when nothing is queued it waits
// for new input for at most a short while, so a round never spins idle.
bool PumpUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 200 && !done(); ++round) {
        PumpPending();
        if (!done())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

int GdiObjectCount() {
    DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (nCount != 0)
        return (int)nCount;
    int nLive = 0;
    for (ULONG_PTR i = 1; i < 0x10000; ++i)
        nLive += ::GetObjectType((HGDIOBJ)i) != 0;
    return nLive;
}

StringAllocBudget::StringAllocBudget(int nAllowed) : m_nLeft(nAllowed) {
    AfxSetStringAllocHook(Take, this);
}

StringAllocBudget::~StringAllocBudget() {
    AfxSetStringAllocHook(NULL, NULL);
}

BOOL StringAllocBudget::Take(void* ctx, int) {
    StringAllocBudget* self = (StringAllocBudget*)ctx;
    if (self->m_nLeft == 0)
        return FALSE;
    --self->m_nLeft;
    return TRUE;
}

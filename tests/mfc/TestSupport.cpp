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

// avatar_idle: what the avatar timer costs an idle window. The channel-list
// window runs in the test host with a member who has an avatar, first for N
// seconds with its avatar timer (a redraw of the avatar box every 200 ms),
// then N seconds with the timer killed; the process CPU time of each half
// and their ratio are printed. N is the first argument (default 60).
//
// Under Wine the figures are the process's own time only: the work of the
// wine server and the X server is not counted.
#include <ChannelListWnd.h>
#include <KelpParser.h>
#include <TsTestHost.h>

#include "BenchWindow.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// User plus kernel CPU time of this process, in milliseconds.
double ProcessCpuMs() {
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    if (!::GetProcessTimes(::GetCurrentProcess(), &ftCreate, &ftExit, &ftKernel, &ftUser))
        return 0.0;
    ULARGE_INTEGER kernel, user;
    kernel.LowPart = ftKernel.dwLowDateTime;
    kernel.HighPart = ftKernel.dwHighDateTime;
    user.LowPart = ftUser.dwLowDateTime;
    user.HighPart = ftUser.dwHighDateTime;
    return (double)(kernel.QuadPart + user.QuadPart) / 10000.0;
}

// Handles the host's messages for nSeconds of wall-clock time; returns the
// CPU time spent meanwhile and counts the avatar timer's messages to hWnd.
double RunIdle(HWND hWnd, DWORD nSeconds, int& nAvatarTicks) {
    nAvatarTicks = 0;
    const double dStart = ProcessCpuMs();
    const DWORD dwStart = ::GetTickCount();
    const DWORD dwSpan = nSeconds * 1000;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.hwnd == hWnd &&
                msg.wParam == CTsChannelListWnd::TIMER_AVATAR)
                ++nAvatarTicks;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const DWORD dwSpent = ::GetTickCount() - dwStart;
        if (dwSpent >= dwSpan)
            break;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, dwSpan - dwSpent, QS_ALLINPUT);
    }
    return ProcessCpuMs() - dStart;
}

} // namespace

int main(int argc, char** argv) {
    const int nArg = argc > 1 ? atoi(argv[1]) : 60;
    const DWORD nSeconds = nArg > 0 ? (DWORD)nArg : 60;
    CTsChannelListWnd wnd;
    CTsTestHost host;
    const char* const config[] = {"member.nick", "Idle", "member.avatar", "A1B2C3", NULL};
    if (!BenchStartWindow(host, wnd, BenchGameString(), "avatar_idle", config))
        return 1;
    wnd.UpdateWindow();
    host.Pump();
    if (!wnd.IsWindowVisible() || !wnd.m_bActive || wnd.m_pAvatar == NULL) {
        fprintf(stderr, "avatar_idle: the window is not showing its avatar\n");
        return 1;
    }

    int nTimersOn = 0, nTimersOff = 0;
    const double dWithTimer = RunIdle(wnd.GetSafeHwnd(), nSeconds, nTimersOn);
    wnd.KillTimer(CTsChannelListWnd::TIMER_AVATAR);
    const double dWithoutTimer = RunIdle(wnd.GetSafeHwnd(), nSeconds, nTimersOff);

    printf("avatar_idle: %lu s each, process CPU time (user + kernel)\n", (unsigned long)nSeconds);
    printf("  with the avatar timer:    %9.1f ms  (%d avatar redraws)\n", dWithTimer, nTimersOn);
    printf("  without the avatar timer: %9.1f ms  (%d avatar redraws)\n", dWithoutTimer,
           nTimersOff);
    if (dWithoutTimer > 0.0)
        printf("  ratio: %.2f\n", dWithTimer / dWithoutTimer);
    else
        printf("  ratio: n/a (no CPU time measured without the timer)\n");
    host.DestroyWindow();
    return 0;
}

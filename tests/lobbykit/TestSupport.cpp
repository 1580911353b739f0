// Helpers shared by the lobbykit tests.
#include "TestSupport.h"

std::string ExeFolder() {
    char szPath[MAX_PATH] = "";
    DWORD n = ::GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    std::string strPath(szPath, n < sizeof(szPath) ? n : 0);
    size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? std::string(".") : strPath.substr(0, nSlash);
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The cap only bounds a failing wait; a passing one ends at its message.
bool PumpUntil(const std::function<bool()>& cond, DWORD nCapMs) {
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        PumpPending();
        if (cond()) {
            return true;
        }
        DWORD dwSpent = ::GetTickCount() - dwStart;
        if (dwSpent >= nCapMs) {
            return cond();
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, nCapMs - dwSpent, QS_ALLINPUT);
    }
}

int CTestParentWnd::CreateParent(int cx, int cy) {
    LPCSTR lpszClass =
        AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    if (!CreateEx(0, lpszClass, "test parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, cx, cy, NULL,
                  NULL)) {
        return 0;
    }
    ShowWindow(SW_SHOWNOACTIVATE);
    return 1;
}

// Threads (AfxBeginThread, auto-deletion, the application object) and the
// message-box and clock seams.
#include "afxwin.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct WorkerData {
    HANDLE hDone;
    CWinThread* pSeenThread;
    CWnd* pSeenMainWnd;
};

UINT AFX_CDECL Worker(LPVOID pParam) {
    WorkerData* p = (WorkerData*)pParam;
    p->pSeenThread = AfxGetThread();
    p->pSeenMainWnd = AfxGetMainWnd();
    ::SetEvent(p->hDone);
    return 0;
}

// Signals when the framework deletes it.
class CSignalThread : public CWinThread {
public:
    CSignalThread(HANDLE hDeleted) : CWinThread(Worker, &data), m_hDeleted(hDeleted) {
        data.hDone = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    }
    ~CSignalThread() {
        ::CloseHandle(data.hDone);
        ::SetEvent(m_hDeleted);
    }
    WorkerData data = {};

private:
    HANDLE m_hDeleted;
};

struct BoxCall {
    HWND owner;
    std::string text, caption;
    UINT type;
};

int RecordBox(void* ctx, HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    *(BoxCall*)ctx = BoxCall{owner, text ? text : "", caption ? caption : "", type};
    return IDYES;
}

DWORD FakeClock(void* ctx) {
    return *(DWORD*)ctx;
}

} // namespace

TEST(ThreadTest, BeginThreadRunsTheFunctionOnItsOwnThreadObject) {
    CWinApp app("ThreadApp");
    CWnd mainWnd;
    ASSERT_TRUE(mainWnd.CreateEx(0, NULL, "main", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    app.m_pMainWnd = &mainWnd;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_EQ(AfxGetMainWnd(), &mainWnd);

    WorkerData data = {::CreateEventA(NULL, TRUE, FALSE, NULL), NULL, NULL};
    CWinThread* pThread =
        AfxBeginThread(Worker, &data, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE; // keep the object to inspect it
    HANDLE hThread = pThread->m_hThread;
    pThread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(hThread, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(data.pSeenThread, pThread);
    EXPECT_EQ(data.pSeenMainWnd, &mainWnd); // inherited from the application
    delete pThread;
    ::CloseHandle(data.hDone);
    mainWnd.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr); // destroying the main window clears it
}

TEST(ThreadTest, FinishedThreadDeletesItsObject) {
    HANDLE hDeleted = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    CSignalThread* pThread = new CSignalThread(hDeleted);
    ASSERT_TRUE(pThread->CreateThread());
    EXPECT_EQ(::WaitForSingleObject(hDeleted, 10000), WAIT_OBJECT_0);
    ::CloseHandle(hDeleted);
    EXPECT_EQ(AfxGetThread(), nullptr); // no application on this thread
}

TEST(SeamTest, MessageBoxesGoThroughTheHook) {
    BoxCall call = {};
    AfxSetMessageBoxHook(RecordBox, &call);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(wnd.MessageBox("Server unreachable", "Caption", MB_ICONEXCLAMATION), IDYES);
    EXPECT_EQ(call.owner, wnd.m_hWnd);
    EXPECT_EQ(call.text, "Server unreachable");
    EXPECT_EQ(call.caption, "Caption");
    EXPECT_EQ(call.type, (UINT)MB_ICONEXCLAMATION);

    CWinApp app("SeamApp");
    EXPECT_EQ(AfxMessageBox("plain", MB_YESNO), IDYES);
    EXPECT_EQ(call.caption, "SeamApp"); // the application's name
    EXPECT_EQ(call.type, (UINT)MB_YESNO);
    AfxSetMessageBoxHook(NULL, NULL);
    wnd.DestroyWindow();
}

TEST(SeamTest, ClockHookDrivesAfxGetTickCount) {
    DWORD now = 7200001;
    AfxSetTickCountHook(FakeClock, &now);
    EXPECT_EQ(AfxGetTickCount(), 7200001u);
    now += 10000;
    EXPECT_EQ(AfxGetTickCount(), 7210001u);
    AfxSetTickCountHook(NULL, NULL);
    DWORD real = ::GetTickCount();
    EXPECT_LE(AfxGetTickCount() - real, 1000u);
}

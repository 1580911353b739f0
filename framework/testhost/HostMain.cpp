// peltora_host: shows a channel-list plug-in in a lobby frame.
//   peltora_host <plugin.dll> <config file> [game string]
// The plug-in runs in its own folder (catalogues and images are found
// there). The program ends when the frame closes.
#include "TsTestHost.h"

#include <stdlib.h>
#include <string.h>

// The folder part of a path ("" when there is none).
static CString FolderOf(LPCSTR lpszPath) {
    CString strPath(lpszPath);
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    if (nForward > nSlash) {
        nSlash = nForward;
    }
    return nSlash > 0 ? strPath.Left(nSlash) : CString();
}

// Full path of a possibly relative file name, taken before changing folder.
static CString FullPathOf(LPCSTR lpszPath) {
    char szFull[MAX_PATH] = "";
    DWORD nLength = ::GetFullPathNameA(lpszPath, sizeof(szFull), szFull, NULL);
    return nLength > 0 && nLength < sizeof(szFull) ? CString(szFull) : CString(lpszPath);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) {
        ::MessageBoxA(NULL, "Usage: peltora_host <plugin.dll> <config file> [game string]",
                      "peltora_host", MB_OK | MB_ICONINFORMATION);
        return 2;
    }
    CString strPlugin = FullPathOf(__argv[1]);
    CString strConfig = FullPathOf(__argv[2]);

    CTsTestHost host;
    if (!host.GetConfig().LoadFile(strConfig)) {
        ::MessageBoxA(NULL, "Cannot read the configuration file.", "peltora_host", MB_OK);
        return 1;
    }
    CString strFolder = FolderOf(strPlugin);
    if (!strFolder.IsEmpty()) {
        CTsTestHost::SetClientDirectory(strFolder);
    }
    // The demo is a real client: boxes are real, the clock and the frame's
    // answers are its own.
    AfxSetMessageBoxHook(NULL, NULL);
    AfxSetTickCountHook(NULL, NULL);
    host.SetActiveAnswer(1, -1);
    host.SetActiveAnswer(2, -1);
    host.SetCloseBehaviour(1, 1);
    host.SetPlainWindows(0);
    if (!host.LoadPlugin(strPlugin) || !host.CreateFrame()) {
        ::MessageBoxA(NULL, "Cannot load the plug-in.", "peltora_host", MB_OK);
        return 1;
    }
    host.GetFrame().ShowWindow(SW_SHOW);
    host.Start(__argc > 3 ? __argv[3] : NULL, NULL);

    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}

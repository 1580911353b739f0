// The channel-list window in the test host, for the Windows benchmarks.
#include "BenchWindow.h"

#include <KelpParser.h>

#include <stdio.h>
#include <string.h>

CString BenchProgramFolder() {
    char szPath[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pSlash = strrchr(szPath, '\\');
    if (pSlash != NULL)
        *pSlash = '\0';
    return CString(szPath);
}

CString BenchGameString(unsigned short nPort) {
    CKelpParser parser("", "", NULL, 1, "127.0.0.1", nPort);
    parser.AddValue(G::keyGameId, "TETRIS");
    char* pszText = NULL;
    int nLength = 0;
    if (!parser.GetURL(pszText, nLength))
        return CString();
    return CString(pszText, nLength);
}

bool BenchStartWindow(CTsTestHost& host, CTsChannelListWnd& wnd, const CString& strGameString,
                      const char* pszProgram, const char* const* ppszConfig,
                      const char* pszCatalogueDir) {
    CTsTestHost::SetClientDirectory(BenchProgramFolder());
    CTsHostConfig& config = host.GetConfig();
    config.Set("ad.url", "None");
    config.Set("game.code", "RNKTET");
    config.Set("member.id", "bench");
    for (; ppszConfig != NULL && ppszConfig[0] != NULL; ppszConfig += 2)
        config.Set(ppszConfig[0], ppszConfig[1]);
    if (!host.UseWindow(&wnd) || !host.CreateFrame()) {
        fprintf(stderr, "%s: cannot create the window\n", pszProgram);
        return false;
    }
    if (pszCatalogueDir != NULL)
        ::SetCurrentDirectoryA(pszCatalogueDir);
    host.Start(strGameString, "");
    return true;
}

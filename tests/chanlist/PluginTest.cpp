// Each configuration's DLL loaded by the test host through its factory, and
// the string tables each one carries.
#include "ChanlistTestSupport.h"

#include "StringTables.h"

namespace {

// One configuration from load to unload: made through the factory,
// created, started with a game string, torn down. Only the Korean
// configuration has the presence event and reads TET3 as TETRIS.
void RunPlugin(const TsLanguageTable& t) {
    const bool bKorean = PRIMARYLANGID(t.nLanguage) == LANG_KOREAN;
    const std::string sEvent = PresenceEventName();
    CTsTestHost host;
    host.GetConfig().Set("ad.url", "http://ads.example.test/plugin");
    ASSERT_TRUE(host.LoadPlugin(t.pszDll));
    EXPECT_EQ(EventExists(sEvent), bKorean);
    ASSERT_TRUE(host.CreateFrame());
    CTsChildWnd* pWnd = host.GetWindow();
    ASSERT_NE(pWnd->GetSafeHwnd(), (HWND)NULL);
    EXPECT_NE(::GetDlgItem(pWnd->GetSafeHwnd(), 30000), (HWND)NULL);

    host.ClearLog();
    host.Start(MakeGameString("TET3").c_str(), "");
    const std::vector<std::string> expected = {std::string("splash-on|") + ExpectedText(t, 17909) +
                                                   "|1",
                                               "buttons|1", "ad-off", "splash-off"};
    EXPECT_EQ(host.GetLog(), expected) << host.LogText();
    EXPECT_STREQ(host.GetConfig().m_gameInfo.m_szGameId, bKorean ? "TETRIS" : "TET3");
    EXPECT_EQ(pWnd->m_bInUse, 1);
    EXPECT_TRUE(pWnd->IsWindowVisible());

    // An invalid game string shows the box in the configuration's texts.
    host.ClearLog();
    host.Start("not a message", "");
    const std::vector<std::string> invalid = {
        std::string("splash-on|") + ExpectedText(t, 17909) + "|1",
        std::string("box|") + ExpectedText(t, 17901) + "|" + ExpectedText(t, 17900) + "|0x40010",
        "splash-off", "close-frame"};
    EXPECT_EQ(host.GetLog(), invalid) << host.LogText();

    const HWND hWnd = pWnd->GetSafeHwnd();
    host.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(EventExists(sEvent));
}

// String nId of the table in language nLanguage of hModule, converted to
// the ANSI code page; false when the table or the string is missing.
bool LoadTableString(HMODULE hModule, LANGID nLanguage, UINT nId, std::string& sText) {
    HRSRC hRes =
        ::FindResourceExA(hModule, (LPCSTR)RT_STRING, MAKEINTRESOURCEA(nId / 16 + 1), nLanguage);
    if (hRes == NULL)
        return false;
    const WCHAR* p = (const WCHAR*)::LockResource(::LoadResource(hModule, hRes));
    if (p == NULL)
        return false;
    for (UINT i = 0; i < nId % 16; ++i)
        p += 1 + *p;
    const int nLength = *p++;
    if (nLength == 0)
        return false;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, p, nLength, NULL, 0, NULL, NULL);
    sText.assign(nBytes, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, p, nLength, &sText[0], nBytes, NULL, NULL);
    return true;
}

// Compares every expected string of one table of a configuration's DLL:
// the one beside the tests, or, with a folder, the DLL there mapped as data
// only (it may be built for the other architecture).
void CheckTable(const TsLanguageTable& t, LANGID nLanguage, const TsStringCase* pCases, int nCases,
                const std::string& sFolder = std::string()) {
    HMODULE hModule = sFolder.empty() ? ::LoadLibraryA(t.pszDll)
                                      : ::LoadLibraryExA((sFolder + "\\" + t.pszDll).c_str(), NULL,
                                                         LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hModule, (HMODULE)NULL) << sFolder << " " << t.pszDll;
    for (int i = 0; i < nCases; ++i) {
        SCOPED_TRACE(pCases[i].nId);
        std::string sText;
        EXPECT_TRUE(LoadTableString(hModule, nLanguage, pCases[i].nId, sText));
        EXPECT_EQ(sText, pCases[i].pszText);
    }
    ::FreeLibrary(hModule);
}

// The own table is compared in its own code page only; other runs skip it.
// In that run the thread's locale is the table's language too, so the
// window's texts (PluginLoad) come from the own table.
void CheckOwnTable(const TsLanguageTable& t) {
    if (::GetACP() != t.nCodePage)
        GTEST_SKIP() << "needs the ANSI code page " << t.nCodePage;
    EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(::GetThreadLocale())), PRIMARYLANGID(t.nLanguage));
    CheckTable(t, t.nLanguage, t.pCases, t.nCases);
}

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

} // namespace

TEST(PluginLoad, Korean) {
    RunPlugin(kLanguageTables[0]);
}

TEST(PluginLoad, Japanese) {
    RunPlugin(kLanguageTables[1]);
}

TEST(PluginLoad, Chinese) {
    RunPlugin(kLanguageTables[2]);
}

TEST(StringTable, Korean) {
    CheckOwnTable(kLanguageTables[0]);
}

TEST(StringTable, Japanese) {
    CheckOwnTable(kLanguageTables[1]);
}

TEST(StringTable, Chinese) {
    CheckOwnTable(kLanguageTables[2]);
}

TEST(StringTable, EnglishInEveryConfiguration) {
    for (const TsLanguageTable& t : kLanguageTables) {
        SCOPED_TRACE(t.pszName);
        CheckTable(t, kEnglish, kEnglishTable, kEnglishCount);
    }
}

// The shipped 32-bit DLLs, read as files where 32-bit code cannot run: the
// test script names their folder in PELTORA_SHIPPED_DLL_DIR.
TEST(StringTable, ShippedDllsCarryEnglish) {
    char szFolder[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("PELTORA_SHIPPED_DLL_DIR", szFolder, MAX_PATH) == 0)
        GTEST_SKIP() << "PELTORA_SHIPPED_DLL_DIR names no folder of shipped DLLs";
    for (const TsLanguageTable& t : kLanguageTables) {
        SCOPED_TRACE(t.pszName);
        CheckTable(t, kEnglish, kEnglishTable, kEnglishCount, szFolder);
    }
}

// The resource chain: the application's strings first, then those of
// registered extension libraries, in the UI language when present.
#include "afxwin.h"
#include "TestIds.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>

namespace {

// Loads the test extension DLL from the executable's folder for one test.
class ResourceChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(NULL, szPath, sizeof(szPath));
        char* pSlash = strrchr(szPath, '\\');
        ASSERT_NE(pSlash, nullptr);
        strcpy(pSlash + 1, "mfcteststrings.dll");
        hDll = ::LoadLibraryA(szPath);
        ASSERT_NE(hDll, (HMODULE)NULL) << szPath;
    }
    void TearDown() override {
        if (hDll != NULL)
            ::FreeLibrary(hDll);
    }
    static bool ExpectKorean() { return getenv("PELTORA_EXPECT_KOREAN") != NULL; }
    HMODULE hDll = NULL;
};

} // namespace

TEST_F(ResourceChainTest, ApplicationFirstThenExtensionLibraries) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_BOTH));
    EXPECT_STREQ(s, "from the application");
    EXPECT_TRUE(s.LoadString(IDS_TEST_ENGLISH)); // English only: found in any locale
    EXPECT_STREQ(s, "English only");
    EXPECT_FALSE(s.LoadString(IDS_TEST_MISSING));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDS_TEST_DLL_ONLY / 16 + 1), RT_STRING),
              (HINSTANCE)hDll);
}

TEST_F(ResourceChainTest, StringsComeInTheUserLanguage) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_DLL_ONLY));
    if (ExpectKorean()) {
        ASSERT_EQ(::GetACP(), 949u);
        // "채널 목록" in code page 949.
        EXPECT_EQ(std::string(s), "\xC3\xA4\xB3\xCE \xB8\xF1\xB7\xCF");
    } else {
        EXPECT_STREQ(s, "Channel list");
    }
    char szBuf[5];
    int nLen = AfxLoadString(IDS_TEST_DLL_ONLY, szBuf, sizeof(szBuf));
    EXPECT_EQ(nLen, 4); // bounded, cut at a character boundary
    EXPECT_EQ(std::string(szBuf), std::string(s).substr(0, 4));
}

TEST_F(ResourceChainTest, UnloadedLibraryLeavesTheChain) {
    ::FreeLibrary(hDll);
    hDll = NULL;
    CString s;
    EXPECT_FALSE(s.LoadString(IDS_TEST_DLL_ONLY));
    EXPECT_TRUE(s.LoadString(IDS_TEST_BOTH)); // the application's own string stays
}

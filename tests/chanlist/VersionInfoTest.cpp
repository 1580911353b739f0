// The version resource of each configuration, read back from the built DLL
// beside this executable the way Explorer and installers read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "peltora_version.h"

namespace {

struct TsVersionCase {
    const char* pszDll;
    WORD wLanguage;
    WORD wCodePage;
};

const TsVersionCase kVersionCases[] = {
    {"peltora_ko.dll", 0x0412, 949},
    {"peltora_ja.dll", 0x0411, 932},
    {"peltora_cn.dll", 0x0804, 936},
};

std::string ModuleFolder() {
    char szPath[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string sPath(szPath);
    return sPath.substr(0, sPath.find_last_of("\\/") + 1);
}

std::string QueryString(std::vector<char>& info, const char* pszBlock, const char* pszName) {
    std::string sKey = std::string("\\StringFileInfo\\") + pszBlock + "\\" + pszName;
    char* pszValue = NULL;
    UINT uLen = 0;
    if (!::VerQueryValueA(info.data(), sKey.c_str(), (void**)&pszValue, &uLen) || uLen == 0)
        return std::string();
    return std::string(pszValue);
}

} // namespace

TEST(VersionInfo, EachConfigurationCarriesVersionAndLanguage) {
    for (const TsVersionCase& c : kVersionCases) {
        SCOPED_TRACE(c.pszDll);
        std::string sPath = ModuleFolder() + c.pszDll;
        DWORD dwHandle = 0;
        DWORD dwSize = ::GetFileVersionInfoSizeA(sPath.c_str(), &dwHandle);
        ASSERT_NE(dwSize, 0u);
        std::vector<char> info(dwSize);
        ASSERT_TRUE(::GetFileVersionInfoA(sPath.c_str(), 0, dwSize, info.data()));

        VS_FIXEDFILEINFO* pFixed = NULL;
        UINT uLen = 0;
        ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", (void**)&pFixed, &uLen));
        EXPECT_EQ(pFixed->dwFileVersionMS,
                  (DWORD)MAKELONG(PELTORA_VERSION_MINOR, PELTORA_VERSION_MAJOR));
        EXPECT_EQ(pFixed->dwFileVersionLS, (DWORD)MAKELONG(0, PELTORA_VERSION_PATCH));
        EXPECT_EQ(pFixed->dwProductVersionMS, pFixed->dwFileVersionMS);
        EXPECT_EQ(pFixed->dwFileType, (DWORD)VFT_DLL);

        WORD* pTranslation = NULL;
        ASSERT_TRUE(::VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                                     (void**)&pTranslation, &uLen));
        ASSERT_GE(uLen, 4u);
        EXPECT_EQ(pTranslation[0], c.wLanguage);
        EXPECT_EQ(pTranslation[1], c.wCodePage);

        char szBlock[16];
        wsprintfA(szBlock, "%04x%04x", c.wLanguage, c.wCodePage);
        EXPECT_EQ(QueryString(info, szBlock, "FileVersion"), PELTORA_VERSION_STRING);
        EXPECT_EQ(QueryString(info, szBlock, "ProductVersion"), PELTORA_VERSION_STRING);
        EXPECT_EQ(QueryString(info, szBlock, "OriginalFilename"), c.pszDll);
        EXPECT_FALSE(QueryString(info, szBlock, "FileDescription").empty());
    }
}

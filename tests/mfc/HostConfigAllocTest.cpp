// The test host's configuration file read without string memory: the file
// is refused instead of being read into a buffer too small for it.
#include <TsHostConfig.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <stdio.h>

TEST(HostConfigAllocTest, FileReadWithoutMemoryIsRefused) {
    char szDir[MAX_PATH], szPath[MAX_PATH];
    ASSERT_NE(::GetTempPathA(sizeof(szDir), szDir), 0u);
    ASSERT_NE(::GetTempFileNameA(szDir, "cfg", 0, szPath), 0u);
    FILE* pFile = fopen(szPath, "wb");
    ASSERT_NE(pFile, nullptr);
    fputs("member.id = tester01\n", pFile);
    fclose(pFile);

    CTsHostConfig config;
    int nLoaded;
    {
        StringAllocBudget budget(0);
        nLoaded = config.LoadFile(szPath);
    }
    EXPECT_EQ(nLoaded, 0);
    EXPECT_STREQ(config.m_member.m_szId, "");
    EXPECT_STREQ(CString(), ""); // nothing was read into the shared empty string

    EXPECT_EQ(config.LoadFile(szPath), 1); // with memory it reads
    EXPECT_STREQ(config.m_member.m_szId, "tester01");
    ::DeleteFileA(szPath);
}

// Records, the bounded field copy and the column settings.
#include "ListTestSupport.h"

#include <string.h>
#include "resource.h"

TEST(ChannelRecords, DefaultsAreEmptyTextAndDefaultNumbers) {
    CTsChannelGroupListData g;
    EXPECT_STREQ("", g.m_szGroupId);
    EXPECT_STREQ("", g.m_szGroupName);
    EXPECT_STREQ("", g.m_szGrade);
    EXPECT_EQ(-1, g.m_nMinRating);
    EXPECT_EQ(-1, g.m_nMaxRating);
    EXPECT_EQ(-1, g.m_nMinLevel);
    EXPECT_EQ(-1, g.m_nMaxLevel);

    CTsChannelListData c;
    EXPECT_STREQ("", c.m_szChannelId);
    EXPECT_STREQ("", c.m_szChannelName);
    EXPECT_STREQ("", c.m_szIPAddress);
    EXPECT_STREQ("", c.m_szSubId);
    EXPECT_EQ(0, c.m_nPort + c.m_nMemberCnt + c.m_nMaxMember + c.m_nMaxRoom + c.m_nMaxRoomMembers +
                     c.m_nMaxRoomViewers);
}

TEST(ChannelRecords, CopyAndAssignmentCopyEveryField) {
    CTsChannelListData a;
    TsCopyField(a.m_szChannelId, "C01");
    TsCopyField(a.m_szChannelName, "Beginners");
    TsCopyField(a.m_szIPAddress, "10.0.0.7");
    TsCopyField(a.m_szSubId, "S9");
    a.m_nPort = 9000, a.m_nMemberCnt = 12, a.m_nMaxMember = 300;
    a.m_nMaxRoom = 40, a.m_nMaxRoomMembers = 4, a.m_nMaxRoomViewers = 2;

    CTsChannelListData b(a);
    CTsChannelListData c;
    c = b;
    c = c;
    for (const CTsChannelListData* p : {&b, &c}) {
        EXPECT_STREQ("C01", p->m_szChannelId);
        EXPECT_STREQ("Beginners", p->m_szChannelName);
        EXPECT_STREQ("10.0.0.7", p->m_szIPAddress);
        EXPECT_STREQ("S9", p->m_szSubId);
        EXPECT_EQ(9000, p->m_nPort);
        EXPECT_EQ(12, p->m_nMemberCnt);
        EXPECT_EQ(300, p->m_nMaxMember);
        EXPECT_EQ(40, p->m_nMaxRoom);
        EXPECT_EQ(4, p->m_nMaxRoomMembers);
        EXPECT_EQ(2, p->m_nMaxRoomViewers);
    }
}

TEST(TsCopyField, StoresTextOfExactWidthWholeAndCutsLongerText) {
    CTsChannelGroupListData g;
    CTsChannelListData c;
    const std::string s30(30, 'c'), s50(50, 'n');
    EXPECT_EQ(1, TsCopyField(g.m_szGroupId, "0123456789"));
    EXPECT_STREQ("0123456789", g.m_szGroupId);
    EXPECT_EQ(1, TsCopyField(c.m_szChannelId, s30.c_str()));
    EXPECT_EQ(s30, c.m_szChannelId);
    EXPECT_EQ(1, TsCopyField(c.m_szChannelName, s50.c_str()));
    EXPECT_EQ(s50, c.m_szChannelName);

    EXPECT_EQ(0, TsCopyField(g.m_szGroupId, "0123456789ABC"));
    EXPECT_STREQ("0123456789", g.m_szGroupId);
    EXPECT_EQ(0, TsCopyField(g.m_szGrade, "ABCD"));
    EXPECT_STREQ("ABC", g.m_szGrade);
    EXPECT_EQ(1, TsCopyField(g.m_szGrade, NULL));
    EXPECT_STREQ("", g.m_szGrade);
}

// Run with an ANSI code page of 949 (the cp949 variant of this test).
TEST(TsCopyField, NeverSplitsADoubleByteCharacter) {
    if (GetACP() != 949)
        GTEST_SKIP() << "needs code page 949, have " << GetACP();
    // "A" then five Korean syllables of two bytes each: 11 bytes.
    const char text[] = "A\xB0\xA1\xB0\xA2\xB0\xA3\xB0\xA4\xB0\xA5";
    char field[11];
    memset(field, 'x', sizeof(field));
    EXPECT_EQ(1, TsCopyField(field, "\xB0\xA1\xB0\xA2\xB0\xA3\xB0\xA4\xB0\xA5"));
    EXPECT_EQ(10u, strlen(field));
    EXPECT_EQ(0, TsCopyField(field, text));
    EXPECT_STREQ("A\xB0\xA1\xB0\xA2\xB0\xA3\xB0\xA4", field); // 9 bytes, the 5th syllable left out
    char grade[4];
    EXPECT_EQ(0, TsCopyField(grade, "\xB0\xA1\xB0\xA2"));
    EXPECT_STREQ("\xB0\xA1", grade);
    EXPECT_EQ(0, TsCopyField(grade, "AB\xB0")); // lone lead byte at the end
    EXPECT_STREQ("AB", grade);
}

TEST(ListSettings, DefaultsOfBothSettings) {
    CString strGroup, strName, strCur, strMax;
    ASSERT_TRUE(strGroup.LoadString(IDS_GROUP_TITLE));
    strName.LoadString(IDS_CHANNEL_NAME_TITLE);
    strCur.LoadString(IDS_CUR_MEMBERS_TITLE);
    strMax.LoadString(IDS_MAX_MEMBERS_TITLE);

    CTsChannelGroupListSetting g;
    ASSERT_EQ(1, g.m_nColumnCount);
    EXPECT_EQ(210, g.m_pnColumnWidth[0]);
    EXPECT_STREQ(strGroup, g.m_pstrColumnTitle[0]);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), g.m_clrText);
    EXPECT_EQ(RGB(253, 247, 247), g.m_clrBk);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), g.m_clrSelBk);
    EXPECT_EQ(RGB(125, 125, 125), g.m_clrDisabledText);
    EXPECT_EQ(RGB(253, 247, 247), g.m_clrDisabledBk);
    EXPECT_EQ(CRect(5, 119, 220, 593), CRect(g.m_rcWindow));
    EXPECT_EQ(0, g.m_nMargin);

    CTsChannelListSetting c;
    ASSERT_EQ(3, c.m_nColumnCount);
    EXPECT_EQ(120, c.m_pnColumnWidth[0]);
    EXPECT_EQ(42, c.m_pnColumnWidth[1]);
    EXPECT_EQ(42, c.m_pnColumnWidth[2]);
    EXPECT_STREQ(strName, c.m_pstrColumnTitle[0]);
    EXPECT_STREQ(strCur, c.m_pstrColumnTitle[1]);
    EXPECT_STREQ(strMax, c.m_pstrColumnTitle[2]);
    EXPECT_EQ(RGB(240, 243, 250), c.m_clrBk);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), c.m_clrSelText);
    EXPECT_EQ(RGB(163, 198, 237), c.m_clrSelBk);
    EXPECT_EQ(CRect(220, 119, 450, 593), CRect(c.m_rcWindow));
}

TEST(ListSettings, SetColumnsRefusesBadInputAndCopiesTheCallersArrays) {
    CTsChannelListSetting c;
    const int widths[2] = {100, 50};
    EXPECT_EQ(0, c.SetColumns(0, widths, NULL));
    EXPECT_EQ(0, c.SetColumns(-2, widths, NULL));
    EXPECT_EQ(0, c.SetColumns(2, NULL, NULL));
    EXPECT_EQ(3, c.m_nColumnCount);

    int* pnWidths = new int[2]{100, 50};
    CString* pstrTitles = new CString[2];
    pstrTitles[0] = "Name";
    pstrTitles[1] = "Users";
    const COLORREF clrSel = c.m_clrSelBk;
    EXPECT_EQ(1, c.SetColumns(2, pnWidths, pstrTitles));
    delete[] pnWidths;
    delete[] pstrTitles;
    ASSERT_EQ(2, c.m_nColumnCount);
    EXPECT_EQ(100, c.m_pnColumnWidth[0]);
    EXPECT_EQ(50, c.m_pnColumnWidth[1]);
    EXPECT_STREQ("Users", c.m_pstrColumnTitle[1]);
    EXPECT_EQ(clrSel, c.m_clrSelBk);
    EXPECT_EQ(CRect(220, 119, 450, 593), CRect(c.m_rcWindow));

    // Its own arrays as the source: copied before the old ones go.
    EXPECT_EQ(1, c.SetColumns(c.m_nColumnCount, c.m_pnColumnWidth, c.m_pstrColumnTitle));
    EXPECT_EQ(50, c.m_pnColumnWidth[1]);
    EXPECT_STREQ("Name", c.m_pstrColumnTitle[0]);
}

TEST(ListSettings, CopiesOwnTheirColumnArrays) {
    CTsChannelGroupListSetting g;
    g.m_nMargin = 5;
    CTsChannelGroupListSetting copy(g);
    EXPECT_NE(g.m_pnColumnWidth, copy.m_pnColumnWidth);
    EXPECT_NE(g.m_pstrColumnTitle, copy.m_pstrColumnTitle);
    EXPECT_EQ(210, copy.m_pnColumnWidth[0]);
    EXPECT_EQ(5, copy.m_nMargin);
    copy.m_pnColumnWidth[0] = 1;
    EXPECT_EQ(210, g.m_pnColumnWidth[0]);

    CTsChannelListSetting a, b;
    const int widths[1] = {77};
    const CString titles[1] = {"Only"};
    a.SetColumns(1, widths, titles);
    b = a;
    b = b;
    ASSERT_EQ(1, b.m_nColumnCount);
    EXPECT_NE(a.m_pnColumnWidth, b.m_pnColumnWidth);
    EXPECT_EQ(77, b.m_pnColumnWidth[0]);
    EXPECT_STREQ("Only", b.m_pstrColumnTitle[0]);
}

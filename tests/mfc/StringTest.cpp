// CString: formatting, clipping of extraction, comparison, searching and
// editing, and direct buffer access.
#include "afxwin.h"

#include <gtest/gtest.h>
#include <string>

TEST(CStringTest, FormatProducesTextOfAnyLength) {
    std::string longText(10000, 'x');
    CString s;
    s.Format("[%s] %d %05.1f %c", longText.c_str(), -42, 3.14159, 'z');
    EXPECT_EQ(s.GetLength(), 10000 + 2 + 12);
    EXPECT_EQ(std::string(s.Right(12)), " -42 003.1 z");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, MidLeftRightClipLikeMfc) {
    CString s("abcdef");
    EXPECT_STREQ(s.Mid(-3, 2), "ab");    // negative start counts from 0
    EXPECT_STREQ(s.Mid(2, 100), "cdef"); // count stops at the end
    EXPECT_STREQ(s.Mid(4), "ef");
    EXPECT_STREQ(s.Mid(6), "");
    EXPECT_STREQ(s.Mid(10, 2), "");
    EXPECT_STREQ(s.Mid(1, -1), "");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Left(3), "abc");
    EXPECT_STREQ(s.Right(100), "abcdef");
    EXPECT_STREQ(s.Right(2), "ef");
}

TEST(CStringTest, ComparisonsAndOperators) {
    CString a("Apple"), b("apple");
    EXPECT_NE(a.Compare(b), 0);
    EXPECT_EQ(a.CompareNoCase(b), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_TRUE(a == "Apple");
    EXPECT_TRUE("Apple" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a < b); // 'A' sorts before 'a'
    EXPECT_TRUE("Zebra" < b);
    CString c = a + "-" + b + '!';
    EXPECT_STREQ(c, "Apple-apple!");
    c += c; // appending to itself
    EXPECT_STREQ(c, "Apple-apple!Apple-apple!");
    EXPECT_EQ(c[0], 'A');
    EXPECT_EQ(c.GetAt(100), '\0'); // out of range reads as NUL
}

TEST(CStringTest, SearchAndEdit) {
    CString s("  one, two, one  ");
    s.TrimLeft();
    s.TrimRight();
    EXPECT_STREQ(s, "one, two, one");
    EXPECT_EQ(s.Find("one"), 0);
    EXPECT_EQ(s.Find("one", 1), 10);
    EXPECT_EQ(s.Find(','), 3);
    EXPECT_EQ(s.Find('x'), -1);
    EXPECT_EQ(s.ReverseFind(','), 8);
    EXPECT_EQ(s.Replace("one", "three"), 2);
    EXPECT_STREQ(s, "three, two, three");
    EXPECT_EQ(s.Replace(',', ';'), 2);
    s.MakeUpper();
    EXPECT_STREQ(s, "THREE; TWO; THREE");
    s.MakeLower();
    EXPECT_STREQ(s, "three; two; three");
    EXPECT_EQ(s.Delete(0, 7), 10);
    EXPECT_EQ(s.Insert(0, "<"), 11);
    EXPECT_STREQ(s, "<two; three");
    s.TrimRight("e");
    EXPECT_STREQ(s, "<two; thr");
}

TEST(CStringTest, BufferAccess) {
    CString s("keep");
    char* p = s.GetBuffer(64);
    EXPECT_STREQ(p, "keep"); // the old contents stay
    strcpy(p, "written through the buffer");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 26);
    s.GetBuffer(10)[3] = '\0';
    s.ReleaseBuffer(-1);
    EXPECT_STREQ(s, "wri");
    memcpy(s.GetBufferSetLength(2), "ok", 2);
    EXPECT_STREQ(s, "ok");
    CString copy(s);
    s.Empty();
    EXPECT_STREQ(copy, "ok");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_STREQ(CString('-', 3), "---");
}

// Double-byte characters of code page 949: searching, trimming and case
// folding must never split a pair. Runs in the Korean locale variant.
TEST(CStringDbcsTest, DoubleByteCharactersStayWhole) {
    if (::GetACP() != 949)
        GTEST_SKIP() << "needs the Korean ANSI code page";
    // "\xB0\x41" is one character whose trail byte looks like 'A'; "\xC7\x20"
    // one whose trail byte looks like a space.
    CString s("\xB0\x41"
              "a"
              "\xC7\x20");
    EXPECT_EQ(s.Find('A'), -1);
    EXPECT_EQ(s.Find('a'), 2);
    EXPECT_EQ(s.Find("\x41"), -1);
    s.TrimRight();
    EXPECT_EQ(s.GetLength(), 5); // the trailing 0x20 is a trail byte
    s.MakeLower();
    EXPECT_EQ(std::string(s), "\xB0\x41"
                              "a"
                              "\xC7\x20");
    EXPECT_EQ(CString("\xB0\x41X").CompareNoCase("\xB0\x41x"), 0);
    EXPECT_NE(CString("\xB0\x41").CompareNoCase("\xB0\x61"), 0);
    s.MakeReverse();
    EXPECT_EQ(std::string(s), "\xC7\x20"
                              "a"
                              "\xB0\x41");
}

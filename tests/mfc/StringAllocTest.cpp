// Running out of string memory (AfxSetStringAllocHook): every operation and
// every framework call that fills a CString ends with the complete result or
// an empty string, never a partial one, and nothing is written past a buffer.
#include "afxwin.h"
#include "afxcmn.h"
#include "TestIds.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

const UINT ID_CHILD = 11;
const UINT ID_LIST = 12;

// Longer than the first buffer CListCtrl::GetItemText tries (256).
const std::string kLong = [] {
    std::string s;
    for (int i = 0; i < 30; ++i)
        s += "0123456789";
    return s;
}();

// One operation on a string that starts as `seed`; op returns what the call
// returns (0 for calls that return nothing).
struct AllocCase {
    const char* name;
    const char* seed;
    std::string full; // the string afterwards when memory suffices
    int fullResult;   // the call's result then
    std::function<int(CString&)> op;
};

class StringAllocTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateEx(0, NULL, "window text", WS_POPUP, 0, 0, 320, 240, NULL, NULL));
        ASSERT_TRUE(
            child.Create("STATIC", "child text", WS_VISIBLE, CRect(0, 0, 50, 20), &host, ID_CHILD));
        ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 30, 300, 200), &host, ID_LIST));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        ASSERT_EQ(list.InsertItem(0, kLong.c_str()), 0);
    }
    void TearDown() override { host.DestroyWindow(); }

    std::vector<AllocCase> Cases() {
        return {
            {"assignment", "old", kLong, 0, [](CString& s) { return s = kLong.c_str(), 0; }},
            {"append", "head", "head-tail", 0, [](CString& s) { return s += "-tail", 0; }},
            {"concatenation", "head", "head-tail", 0,
             [](CString& s) { return s = s + "-tail", 0; }},
            {"repeated character", "", "xxxxxxxx", 0,
             [](CString& s) { return s = CString('x', 8), 0; }},
            {"Format", "old", kLong + "|7", 0,
             [](CString& s) { return s.Format("%s|%d", kLong.c_str(), 7), 0; }},
            {"Format of a string resource", "old", "from the application", 0,
             [](CString& s) { return s.Format(IDS_TEST_BOTH), 0; }},
            {"LoadString", "old", "from the application", TRUE,
             [](CString& s) { return s.LoadString(IDS_TEST_BOTH); }},
            {"Insert", "head", "heXYad", 6, [](CString& s) { return s.Insert(2, "XY"); }},
            {"Replace", "head", "hEEad", 1, [](CString& s) { return s.Replace("e", "EE"); }},
            {"MakeReverse", "head", "daeh", 0, [](CString& s) { return s.MakeReverse(), 0; }},
            {"GetWindowText", "old", "window text", 0,
             [this](CString& s) { return host.GetWindowText(s), 0; }},
            {"GetDlgItemText", "old", "child text", 10,
             [this](CString& s) { return host.GetDlgItemText(ID_CHILD, s); }},
            {"CListCtrl::GetItemText", "old", kLong, 0,
             [this](CString& s) { return s = list.GetItemText(0, 0), 0; }},
        };
    }

    CWnd host;
    CWnd child;
    CListCtrl list;
};

} // namespace

// Each operation runs with 0, 1, 2, ... allocations allowed until it
// completes; short of that it must leave an empty string and return 0.
TEST_F(StringAllocTest, OperationsEndCompleteOrEmpty) {
    for (const AllocCase& c : Cases()) {
        bool bCompleted = false;
        for (int nBudget = 0; nBudget <= 8 && !bCompleted; ++nBudget) {
            SCOPED_TRACE(std::string(c.name) + ", allocations allowed: " + std::to_string(nBudget));
            CString s(c.seed);
            int nResult;
            {
                StringAllocBudget budget(nBudget);
                nResult = c.op(s);
            }
            bCompleted = std::string(s) == c.full && nResult == c.fullResult;
            if (nBudget == 0) {
                EXPECT_FALSE(bCompleted) << "needs no memory: not a test of failure";
            }
            if (!bCompleted) {
                EXPECT_EQ(std::string(s), "");
                EXPECT_EQ(nResult, 0);
            }
            EXPECT_STREQ(CString(), ""); // the shared empty string was not written
        }
        EXPECT_TRUE(bCompleted) << c.name;
    }
}

TEST(StringBufferTest, GetBufferIsNullOnlyWhenItMustGrowWithoutMemory) {
    struct {
        const char* seed;
        int nLength;
        bool bSetLength;
        bool bNull;
    } cases[] = {{"keep", 64, false, true},
                 {"keep", 64, true, true},
                 {"keep", 4, true, false},
                 {"", 0, false, false}};
    for (const auto& c : cases) {
        CString s(c.seed);
        StringAllocBudget budget(0);
        LPSTR p = c.bSetLength ? s.GetBufferSetLength(c.nLength) : s.GetBuffer(c.nLength);
        EXPECT_EQ(p == NULL, c.bNull) << '"' << c.seed << "\" " << c.nLength;
        EXPECT_STREQ(s, c.seed); // unchanged either way
    }
}

TEST(StringBufferTest, FreeExtraWithoutMemoryKeepsTheText) {
    CString s("head");
    s.GetBuffer(100);
    s.ReleaseBuffer();
    {
        StringAllocBudget budget(0);
        s.FreeExtra();
    }
    EXPECT_STREQ(s, "head");
}

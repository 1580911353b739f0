// GDI wrappers: selecting objects returns the previous one, temporary and
// permanent wrappers, and drawing into a memory DC.
#include "afxwin.h"

#include <gtest/gtest.h>

TEST(GdiTest, SelectObjectReturnsPreviousAndDrawsIntoMemoryDc) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(8, 8, 1, 32, NULL));
    CBitmap* pOldBmp = dc.SelectObject(&bmp);
    ASSERT_NE(pOldBmp, nullptr);
    EXPECT_EQ(dc.GetCurrentBitmap(), &bmp); // the permanent wrapper is found

    dc.FillSolidRect(CRect(0, 0, 8, 8), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(4, 4), RGB(10, 20, 30));

    CFont font;
    ASSERT_TRUE(
        font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    CFont* pOldFont = dc.SelectObject(&font);
    ASSERT_NE(pOldFont, nullptr);
    EXPECT_NE(pOldFont, &font);
    EXPECT_EQ(CFont::FromHandle((HFONT)pOldFont->GetSafeHandle()), pOldFont); // same temporary
    LOGFONT lf;
    ASSERT_TRUE(dc.GetCurrentFont()->GetLogFont(&lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(dc.SelectObject(pOldFont), &font);
    dc.SelectObject(pOldBmp);
}

TEST(GdiTest, WrappersReleaseTheirHandles) {
    HGDIOBJ hBrush;
    {
        CBrush brush(RGB(1, 2, 3));
        hBrush = brush.GetSafeHandle();
        EXPECT_EQ(CGdiObject::FromHandle(hBrush), &brush);
    }
    EXPECT_EQ(::GetObjectType(hBrush), 0u); // deleted with its wrapper

    CGdiObject* volatile pNull = NULL;
    EXPECT_EQ(pNull->GetSafeHandle(), (HGDIOBJ)NULL);
    CDC* volatile pNullDC = NULL;
    EXPECT_EQ(pNullDC->GetSafeHdc(), (HDC)NULL);
}

// GDI wrappers: selecting objects returns the previous one, temporary and
// permanent wrappers, and drawing into a memory DC.
#include "afxwin.h"
#include "TestSupport.h"

#include <functional>
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

    CGdiObject empty; // no handle: the safe accessors give NULL
    EXPECT_EQ(empty.GetSafeHandle(), (HGDIOBJ)NULL);
    CDC emptyDC;
    EXPECT_EQ(emptyDC.GetSafeHdc(), (HDC)NULL);
}

namespace {

// What a second Create call on a wrapper that already holds a handle did.
struct SecondCreate {
    BOOL bResult;
    bool bKeptHandle;
};

template <class T, class F> SecondCreate CreateTwice(F create) {
    T obj;
    create(obj);
    HGDIOBJ h = obj.m_hObject;
    BOOL bResult = create(obj);
    return {bResult, h != NULL && obj.m_hObject == h};
}

} // namespace

TEST(GdiTest, CreatingIntoAnOccupiedWrapperIsRefusedWithoutLeaking) {
    static const RECT rc = {0, 0, 4, 4};
    static const LOGPEN lp = {PS_SOLID, {1, 0}, RGB(1, 2, 3)};
    static const LOGBRUSH lb = {BS_SOLID, RGB(1, 2, 3), 0};
    static const LOGFONT lf = {-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, ""};
    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(NULL));
    ::ReleaseDC(NULL, ::GetDC(NULL)); // the screen DC's objects, made on first use
    struct {
        const char* name;
        std::function<SecondCreate()> run;
    } cases[] = {
        {"CreatePen",
         [] { return CreateTwice<CPen>([](CPen& o) { return o.CreatePen(0, 1, 0); }); }},
        {"CreatePenIndirect",
         [] {
             return CreateTwice<CPen>([](CPen& o) { return o.CreatePenIndirect((LPLOGPEN)&lp); });
         }},
        {"CreateSolidBrush",
         [] { return CreateTwice<CBrush>([](CBrush& o) { return o.CreateSolidBrush(0); }); }},
        {"CreateHatchBrush",
         [] { return CreateTwice<CBrush>([](CBrush& o) { return o.CreateHatchBrush(0, 0); }); }},
        {"CreateBrushIndirect",
         [] { return CreateTwice<CBrush>([](CBrush& o) { return o.CreateBrushIndirect(&lb); }); }},
        {"CreateFontIndirect",
         [] { return CreateTwice<CFont>([](CFont& o) { return o.CreateFontIndirect(&lf); }); }},
        {"CreateFont",
         [] {
             return CreateTwice<CFont>([](CFont& o) {
                 return o.CreateFont(-12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");
             });
         }},
        {"CreatePointFont",
         [] { return CreateTwice<CFont>([](CFont& o) { return o.CreatePointFont(90, ""); }); }},
        {"CreateBitmap",
         [] {
             return CreateTwice<CBitmap>(
                 [](CBitmap& o) { return o.CreateBitmap(4, 4, 1, 32, NULL); });
         }},
        {"CreateCompatibleBitmap",
         [&] {
             return CreateTwice<CBitmap>(
                 [&](CBitmap& o) { return o.CreateCompatibleBitmap(&screen, 4, 4); });
         }},
        {"CreateRectRgn",
         [] { return CreateTwice<CRgn>([](CRgn& o) { return o.CreateRectRgn(0, 0, 4, 4); }); }},
        {"CreateRectRgnIndirect",
         [] { return CreateTwice<CRgn>([](CRgn& o) { return o.CreateRectRgnIndirect(&rc); }); }},
        {"CreateRoundRectRgn",
         [] {
             return CreateTwice<CRgn>(
                 [](CRgn& o) { return o.CreateRoundRectRgn(0, 0, 4, 4, 2, 2); });
         }},
        {"CreateCompatibleDC",
         [&] {
             CDC dc;
             dc.CreateCompatibleDC(&screen);
             HDC h = dc.m_hDC;
             BOOL bResult = dc.CreateCompatibleDC(&screen);
             return SecondCreate{bResult, h != NULL && dc.m_hDC == h};
         }},
    };
    for (const auto& c : cases) {
        int nBefore = GdiObjectCount();
        SecondCreate r = c.run();
        EXPECT_FALSE(r.bResult) << c.name;
        EXPECT_TRUE(r.bKeptHandle) << c.name;
        EXPECT_EQ(GdiObjectCount(), nBefore) << c.name;
    }
}

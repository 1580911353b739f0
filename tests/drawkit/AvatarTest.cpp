// Avatars: the same id always gives the same pixels, different ids give
// different ones, nothing is drawn outside the box, and CTsAvatar announces
// readiness to its window through the message queue.
#include <gtest/gtest.h>

#include <string>

#include "AvtrId.h"
#include "Avtr2004.h"
#include "AvtrVel.h"
#include "TestSupport.h"
#include "TsAvatar.h"

namespace {

const COLORREF kGround = RGB(255, 0, 0);
const COLORREF kBlueKey = RGB(0, 0, 255); // COLORREF 0xFF0000
const COLORREF kWhite = RGB(255, 255, 255);

// Draws the CAvtr2004 of text at (10, 10) of a 140 x 160 canvas as the
// member panel does.
void DrawAvtr2004(TestCanvas& canvas, const char* text) {
    CAvtrId id;
    ASSERT_EQ(1, id.Set(text, false));
    CAvtr2004 avatar;
    ASSERT_EQ(1, avatar.Create(id, 0, 1, 0, 0xFFFFFF));
    ASSERT_EQ(1, avatar.Draw(canvas.Dc(), 10, 10, 0, true, 0xFF0000));
}

// Counts the WM_USER+35 messages queued for hWnd, removing them.
int TakeReadyMessages(HWND hWnd) {
    int n = 0;
    MSG msg;
    for (int i = 0; i < 100 && PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_TSAVATAR_READY && msg.wParam == 0 && msg.lParam == 0)
            ++n;
        else
            DispatchMessageA(&msg);
    }
    return n;
}

} // namespace

TEST(AvtrId, KeepsABoundedCopy) {
    CAvtrId id;
    EXPECT_EQ(0, id.Set(nullptr, false));
    EXPECT_EQ(0, id.Set("", false));
    EXPECT_TRUE(id.IsEmpty());
    EXPECT_EQ(0, id.Set(" \t\r\n", true));

    EXPECT_EQ(1, id.Set("a b\tc", true));
    EXPECT_STREQ("abc", id.GetText());
    EXPECT_EQ(1, id.Set("a b", false));
    EXPECT_STREQ("a b", id.GetText());

    std::string longText(1000, 'x');
    EXPECT_EQ(1, id.Set(longText.c_str(), false));
    EXPECT_EQ(std::string(CAvtrId::kMaxText, 'x'), id.GetText());

    CAvtrId other;
    other.Set(longText.c_str(), false);
    EXPECT_EQ(id.GetHash(), other.GetHash());
    other.Set("y", false);
    EXPECT_NE(id.GetHash(), other.GetHash());
}

// The id is cut to kMaxText bytes, never inside a double-byte character:
// where the ANSI code page makes 0xB0 a lead byte, the character across the
// bound is left out whole; with bCompact the bound counts the bytes kept.
TEST(AvtrId, ALongIdIsCutBetweenCharacters) {
    const std::string strBefore(CAvtrId::kMaxText - 1, 'x');
    const struct {
        std::string strText;
        bool bCompact;
    } cases[] = {
        {strBefore + "\xB0\xA1x", false},
        {" " + strBefore + "\t\xB0\xA1x", true},
    };
    const std::string strKept = strBefore + (IsDBCSLeadByte(0xB0) ? "" : "\xB0");
    for (const auto& c : cases) {
        CAvtrId id;
        EXPECT_EQ(1, id.Set(c.strText.c_str(), c.bCompact));
        EXPECT_EQ(strKept, id.GetText()) << c.bCompact;
    }
}

TEST(Avtr2004, SameIdSamePixelsOtherIdOtherPixelsInsideTheBox) {
    TestCanvas a(140, 160, kGround), b(140, 160, kGround), c(140, 160, kGround);
    DrawAvtr2004(a, "member-0001");
    DrawAvtr2004(b, "member-0001");
    DrawAvtr2004(c, "member-0002");
    EXPECT_TRUE(a.SamePixels(b));
    EXPECT_FALSE(a.SamePixels(c));

    RECT box = {10, 10, 110, 130};
    EXPECT_EQ(0, a.CountNot(box, kGround, true));
    // Created on white and drawn keyed on blue: the white box is kept.
    EXPECT_EQ(kWhite, a.Pixel(10, 10));
    EXPECT_EQ(kWhite, a.Pixel(109, 129));
}

TEST(Avtr2004, BackgroundOfTheKeyColourIsLeftOut) {
    CAvtrId id;
    id.Set("keyed", false);
    CAvtr2004 avatar;
    ASSERT_EQ(1, avatar.Create(id, 0, 1, 0, 0xFF0000)); // background = key
    TestCanvas canvas(120, 140, kGround);
    ASSERT_EQ(1, avatar.Draw(canvas.Dc(), 0, 0, 0, true, 0xFF0000));
    EXPECT_EQ(kGround, canvas.Pixel(0, 0)); // background left out
    EXPECT_EQ(kGround, canvas.Pixel(99, 119));
    RECT box = {0, 0, 100, 120};
    int figure = canvas.CountNot(box, kGround, false);
    EXPECT_GT(figure, 1000); // the figure is there
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_NE(kBlueKey, canvas.Pixel(x, y));

    // Not keyed: the blue background is copied too.
    ASSERT_EQ(1, avatar.Draw(canvas.Dc(), 0, 0, 0, false, 0xFF0000));
    EXPECT_EQ(kBlueKey, canvas.Pixel(0, 0));
}

TEST(Avtr2004, NothingToDrawWithoutAnId) {
    CAvtrId empty;
    CAvtr2004 avatar;
    EXPECT_EQ(0, avatar.Create(empty, 0, 1, 0, 0xFFFFFF));
    TestCanvas canvas(120, 140, kGround);
    EXPECT_EQ(0, avatar.Draw(canvas.Dc(), 0, 0, 0, true, 0xFF0000));
    RECT none = {0, 0, 0, 0};
    EXPECT_EQ(0, canvas.CountNot(none, kGround, true));
    CAvtr2004 never;
    EXPECT_EQ(0, never.Draw(canvas.Dc(), 0, 0, 0, true, 0xFF0000));
}

TEST(TsAvatar, PostsReadyToItsWindowOncePerCreate) {
    HWND hWnd = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    CTsAvatar avatar;
    EXPECT_EQ(0, avatar.IsReady());
    EXPECT_EQ(0, avatar.GetAvatarType());

    avatar.SetWindowHandle(hWnd);
    EXPECT_EQ(0, avatar.Create("", 0, 0, 0, 1, 1, 0));
    EXPECT_EQ(0, TakeReadyMessages(hWnd)); // nothing for an empty text

    EXPECT_EQ(1, avatar.Create("member-0001", 0, 0, 0, 1, 1, 0));
    EXPECT_EQ(1, avatar.IsReady());
    EXPECT_EQ(CTsAvatar::kTypeNormal, avatar.GetAvatarType());
    EXPECT_EQ(100, avatar.GetWidth());
    EXPECT_EQ(120, avatar.GetHeight());
    EXPECT_EQ(1, TakeReadyMessages(hWnd));

    EXPECT_EQ(1, avatar.CreateEx("member-0001", 0, 0, 0, 1, 1, 0));
    EXPECT_EQ(1, TakeReadyMessages(hWnd));

    CTsAvatar ownerless; // no window: ready, and nothing is posted
    EXPECT_EQ(1, ownerless.Create("member-0001", 0, 0, 0, 1, 1, 0));
    EXPECT_EQ(1, ownerless.IsReady());
    EXPECT_EQ(0, TakeReadyMessages(hWnd));
    DestroyWindow(hWnd);
}

TEST(TsAvatar, DrawsDeterministicallyTransparentOrOnWhite) {
    CTsAvatar one, same, other;
    one.Create("member-0001", 0, 0, 0, 1, 1, 0);
    same.Create("member-0001", 0, 0, 0, 1, 1, 0);
    other.Create("member-0002", 0, 0, 0, 1, 1, 0);
    TestCanvas a(130, 150, kGround), b(130, 150, kGround), c(130, 150, kGround);
    ASSERT_EQ(1, one.Draw(a.Dc(), 15, 20, TSAVATAR_TRANSPARENT));
    ASSERT_EQ(1, same.Draw(b.Dc(), 15, 20, TSAVATAR_TRANSPARENT));
    ASSERT_EQ(1, other.Draw(c.Dc(), 15, 20, TSAVATAR_TRANSPARENT));
    EXPECT_TRUE(a.SamePixels(b));
    EXPECT_FALSE(a.SamePixels(c));
    RECT box = {15, 20, 115, 140};
    EXPECT_EQ(0, a.CountNot(box, kGround, true));
    EXPECT_EQ(kGround, a.Pixel(15, 20)); // background left as it was
    EXPECT_GT(a.CountNot(box, kGround, false), 1000);

    ASSERT_EQ(1, one.Draw(a.Dc(), 15, 20, 0));
    EXPECT_EQ(kWhite, a.Pixel(15, 20));

    CTsAvatar notReady;
    EXPECT_EQ(0, notReady.Draw(a.Dc(), 0, 0, 0));
}

TEST(TsAvatar, AnonymousSilhouetteStaysInItsBox) {
    TestCanvas plain(130, 150, kGround), framed(130, 150, kGround);
    ASSERT_EQ(1, DrawAnonymousAvatar(plain.Dc(), 5, 5, TSAVATAR_TRANSPARENT));
    ASSERT_EQ(1, DrawAnonymousAvatar(framed.Dc(), 5, 5, TSAVATAR_TRANSPARENT | TSAVATAR_FRAME));
    RECT box = {5, 5, 105, 125};
    EXPECT_EQ(0, plain.CountNot(box, kGround, true));
    EXPECT_EQ(0, framed.CountNot(box, kGround, true));
    EXPECT_EQ(kGround, plain.Pixel(5, 5));
    EXPECT_NE(kGround, framed.Pixel(5, 5)); // the frame
    EXPECT_EQ(plain.Pixel(55, 40), framed.Pixel(55, 40));
    EXPECT_EQ(0, DrawAnonymousAvatar(nullptr, 0, 0, 0));
}

TEST(AvtrVel, IdAndGradeDecideThePixelsInsideTheBox) {
    auto draw = [](TestCanvas& canvas, const char* grade, const char* text) {
        CAvtrVel avatar;
        ASSERT_EQ(1, avatar.Create(grade, text, 0, 1, 0, 1));
        ASSERT_EQ(1, avatar.Draw(canvas.Dc(), 20, 10, 0));
    };
    TestCanvas a(200, 220, kGround), b(200, 220, kGround);
    TestCanvas otherId(200, 220, kGround), otherGrade(200, 220, kGround);
    draw(a, "A", "member-0001");
    draw(b, "A", "member-0001");
    draw(otherId, "A", "member-0002");
    draw(otherGrade, "B", "member-0001");
    EXPECT_TRUE(a.SamePixels(b));
    EXPECT_FALSE(a.SamePixels(otherId));
    EXPECT_FALSE(a.SamePixels(otherGrade));

    RECT box = {20, 10, 170, 190};
    EXPECT_EQ(0, a.CountNot(box, kGround, true));
    EXPECT_EQ(kWhite, a.Pixel(20, 10));
    EXPECT_EQ(kWhite, a.Pixel(169, 189));

    CAvtrVel avatar;
    EXPECT_EQ(0, avatar.Create("A", "", 0, 1, 0, 1));
    EXPECT_EQ(0, avatar.Create(nullptr, nullptr, 0, 1, 0, 1));
    EXPECT_EQ(0, avatar.Draw(a.Dc(), 0, 0, 0));
    ASSERT_EQ(1, avatar.Create(nullptr, "member-0001", 0, 1, 0, 1));
    TestCanvas keyed(200, 220, kGround);
    ASSERT_EQ(1, avatar.Draw(keyed.Dc(), 20, 10, AVTRVEL_TRANSPARENT));
    EXPECT_EQ(kGround, keyed.Pixel(20, 10));
    EXPECT_EQ(0, keyed.CountNot(box, kGround, true));
}

// CTsGDImage on files: loading, refusing bad files, and drawing read back
// pixel by pixel.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TsGDImage.h"

namespace {

const COLORREF kKey = RGB(0, 0, 255); // COLORREF 0xFF0000
const COLORREF kGround = RGB(0, 128, 0);

// Writes img as a .tsi temp file and loads it; the file stays for the test.
struct LoadedImage {
    TempFile file{".tsi"};
    CTsGDImage image;
    int Load(const tsi::Image& img, COLORREF clrTransparent = CLR_INVALID, int faces = 1) {
        if (!file.Write(tsi::Encode(img)))
            return 0;
        return image.Create(file.Path(), faces, clrTransparent, 0, 0);
    }
};

} // namespace

TEST(TsGDImageLoad, MissingEmptyOrUnreadablePathsFail) {
    CTsGDImage image;
    EXPECT_EQ(0, image.Create("Z:\\no\\such\\folder\\nothing.tsi", 1, CLR_INVALID, 0, 0));
    EXPECT_EQ(0, image.Create("", 1, CLR_INVALID, 0, 0));
    EXPECT_EQ(0, image.Create(nullptr, 1, CLR_INVALID, 0, 0));
    char tempDir[MAX_PATH];
    GetTempPathA(MAX_PATH, tempDir);
    EXPECT_EQ(0, image.Create(tempDir, 1, CLR_INVALID, 0, 0)); // a folder
    TempFile empty(".tsi");
    ASSERT_TRUE(empty.Write({}));
    EXPECT_EQ(0, image.Create(empty.Path(), 1, CLR_INVALID, 0, 0));
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(0, image.GetWidth());
}

TEST(TsGDImageLoad, CorruptFilesFailAndReleaseTheOldImage) {
    LoadedImage li;
    ASSERT_EQ(1, li.Load(MakeFacesImage(2, 4, 3, kKey, true)));
    EXPECT_EQ(8, li.image.GetWidth());

    std::vector<unsigned char> good = tsi::Encode(MakeFacesImage(2, 4, 3, kKey, true));
    std::vector<unsigned char> half(good.begin(), good.begin() + good.size() / 2);
    ASSERT_TRUE(li.file.Write(half));
    EXPECT_EQ(0, li.image.Create(li.file.Path(), 1, CLR_INVALID, 0, 0));
    EXPECT_FALSE(li.image.IsLoaded());
    EXPECT_EQ(0, li.image.GetWidth());
    EXPECT_EQ(0, li.image.GetFaceWidth());

    std::vector<unsigned char> huge = good;
    huge[16 + 18] = 0xFF; // width 65535, far above the cap
    huge[16 + 19] = 0xFF;
    ASSERT_TRUE(li.file.Write(huge));
    EXPECT_EQ(0, li.image.Create(li.file.Path(), 1, CLR_INVALID, 0, 0));

    ASSERT_TRUE(li.file.Write({'G', 'I', 'F', '8', '9', 'a', 0, 0}));
    EXPECT_EQ(0, li.image.Create(li.file.Path(), 1, CLR_INVALID, 0, 0));
}

TEST(TsGDImageLoad, OversizedFileIsRefusedUnread) {
    TempFile file(".tsi");
    HANDLE h = CreateFileA(file.Path(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    WriteFile(h, "TSI1", 4, &written, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = std::int64_t(tsi::kMaxFileBytes) + 1;
    SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    CTsGDImage image;
    EXPECT_EQ(0, image.Create(file.Path(), 1, CLR_INVALID, 0, 0));
}

TEST(TsGDImageLoad, FaceCountAndTransparentColourSources) {
    LoadedImage li;
    // The header's face count wins over the caller's.
    ASSERT_EQ(1, li.Load(MakeFacesImage(4, 6, 2, kKey, true), CLR_INVALID, 1));
    EXPECT_EQ(24, li.image.GetWidth());
    EXPECT_EQ(2, li.image.GetHeight());
    EXPECT_EQ(4, li.image.GetFaceCount());
    EXPECT_EQ(6, li.image.GetFaceWidth());
    EXPECT_EQ(kKey, li.image.GetTransparentColor()); // from the header

    // The caller's colour overrides the file's.
    ASSERT_EQ(1, li.Load(MakeFacesImage(1, 6, 2, kKey, true), RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), li.image.GetTransparentColor());

    // Neither names one.
    ASSERT_EQ(1, li.Load(MakeFacesImage(1, 6, 2, kKey, false)));
    EXPECT_FALSE(li.image.HasTransparentColor());
    EXPECT_EQ(CLR_INVALID, li.image.GetTransparentColor());

    // A bare BMP takes the caller's face count.
    ASSERT_TRUE(li.file.Write(tsi::EncodeBmp(MakeFacesImage(4, 6, 2, kKey, false))));
    ASSERT_EQ(1, li.image.Create(li.file.Path(), 4, kKey, 0, 0));
    EXPECT_EQ(6, li.image.GetFaceWidth());
}

TEST(TsGDImageDraw, TransparentPixelsKeepTheDestination) {
    LoadedImage li;
    ASSERT_EQ(1, li.Load(MakeFacesImage(1, 6, 4, kKey, true)));
    TestCanvas canvas(20, 20, kGround);
    ASSERT_EQ(1, li.image.Draw(canvas.Dc(), 3, 5, 0));
    EXPECT_EQ(kGround, canvas.Pixel(4, 6));       // the key pixel at (1, 1)
    EXPECT_EQ(FaceColour(0), canvas.Pixel(3, 5)); // image pixels
    EXPECT_EQ(FaceColour(0), canvas.Pixel(8, 8));
    RECT box = {3, 5, 9, 9};
    EXPECT_EQ(0, canvas.CountNot(box, kGround, true)); // nothing outside
    EXPECT_EQ(23, canvas.CountNot(box, kGround, false));

    // The opaque flag copies the key pixel too.
    ASSERT_EQ(1, li.image.Draw(canvas.Dc(), 3, 5, TSGD_OPAQUE));
    EXPECT_EQ(kKey, canvas.Pixel(4, 6));
}

TEST(TsGDImageDraw, TextAndBackgroundColoursOfTheDcDoNotLeakIn) {
    LoadedImage li;
    ASSERT_EQ(1, li.Load(MakeFacesImage(1, 4, 4, kKey, true)));
    TestCanvas canvas(8, 8, kGround);
    SetTextColor(canvas.Dc(), RGB(0, 114, 188));
    SetBkColor(canvas.Dc(), RGB(200, 0, 0));
    ASSERT_EQ(1, li.image.Draw(canvas.Dc(), 0, 0, 0));
    EXPECT_EQ(kGround, canvas.Pixel(1, 1));
    EXPECT_EQ(FaceColour(0), canvas.Pixel(2, 2));
    EXPECT_EQ(RGB(0, 114, 188), GetTextColor(canvas.Dc())); // restored
    EXPECT_EQ(RGB(200, 0, 0), GetBkColor(canvas.Dc()));
}

TEST(TsGDImageDraw, FacesAndPartsComeFromTheRightPlace) {
    LoadedImage li;
    ASSERT_EQ(1, li.Load(MakeFacesImage(4, 5, 3, kKey, true)));
    TestCanvas canvas(30, 10, kGround);

    // The four-argument Draw draws face 0 only.
    ASSERT_EQ(1, li.image.Draw(canvas.Dc(), 0, 0, 0));
    RECT face = {0, 0, 5, 3};
    EXPECT_EQ(0, canvas.CountNot(face, kGround, true));
    EXPECT_EQ(FaceColour(0), canvas.Pixel(4, 2));

    TestCanvas second(30, 10, kGround);
    ASSERT_EQ(1, li.image.DrawFace(second.Dc(), 10, 2, 2, 0));
    EXPECT_EQ(FaceColour(2), second.Pixel(10, 2));
    EXPECT_EQ(kGround, second.Pixel(11, 3)); // face 2's key pixel
    EXPECT_EQ(0, li.image.DrawFace(second.Dc(), 0, 0, 4, 0));
    EXPECT_EQ(0, li.image.DrawFace(second.Dc(), 0, 0, -1, 0));

    // A part by source coordinates: the last column of face 1 and all of
    // face 2 (6 x 3 from x = 9).
    TestCanvas part(30, 10, kGround);
    ASSERT_EQ(1, li.image.Draw(part.Dc(), 0, 0, 0, 9, 0, 6, 3));
    EXPECT_EQ(FaceColour(1), part.Pixel(0, 0));
    EXPECT_EQ(FaceColour(2), part.Pixel(1, 0));
    EXPECT_EQ(kGround, part.Pixel(2, 1));
    RECT partBox = {0, 0, 6, 3};
    EXPECT_EQ(0, part.CountNot(partBox, kGround, true));
}

TEST(TsGDImageDraw, PartsAreClippedToTheImageWithoutAKey) {
    LoadedImage li;
    ASSERT_EQ(1, li.Load(MakeFacesImage(1, 4, 4, kKey, false)));
    TestCanvas canvas(20, 20, kGround);
    // Starting 2 pixels left of and above the image: the destination moves.
    ASSERT_EQ(1, li.image.Draw(canvas.Dc(), 5, 5, 0, -2, -2, 100, 100));
    RECT drawn = {7, 7, 11, 11};
    EXPECT_EQ(0, canvas.CountNot(drawn, kGround, true));
    EXPECT_EQ(FaceColour(0), canvas.Pixel(7, 7));
    EXPECT_EQ(FaceColour(0), canvas.Pixel(10, 10));
    EXPECT_EQ(kKey, canvas.Pixel(8, 8)); // no transparent colour: copied

    EXPECT_EQ(0, li.image.Draw(canvas.Dc(), 0, 0, 0, 4, 0, 2, 2));  // right of it
    EXPECT_EQ(0, li.image.Draw(canvas.Dc(), 0, 0, 0, -5, 0, 3, 2)); // left of it
    EXPECT_EQ(0, li.image.Draw(canvas.Dc(), 0, 0, 0, 0, 0, 0, 2));  // empty
    EXPECT_EQ(0, li.image.Draw(nullptr, 0, 0, 0));

    CTsGDImage none;
    EXPECT_EQ(0, none.Draw(canvas.Dc(), 0, 0, 0));
    EXPECT_EQ(0, none.Draw(canvas.Dc(), 0, 0, 0, 0, 0, 4, 4));
}

// The images written by the generator at build time, opened as the plug-in
// opens them: relative to the current folder, in both spellings of the
// folder name.
TEST(GeneratedImages, LoadAndDrawAsThePlugInUsesThem) {
    char oldDir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, oldDir);
    ASSERT_TRUE(SetCurrentDirectoryA(ExeFolder().c_str()));
    CTsGDImage join, refresh, info;
    int joinOk = join.Create(".\\Images\\bncljoin.tsi", 1, kKey, 0, 0);
    int refreshOk = refresh.Create(".\\Images\\bnclref.tsi", 1, kKey, 0, 0);
    int infoOk = info.Create(".\\images\\cnlstinfo.tsi", 1, CLR_INVALID, 0, 0);
    SetCurrentDirectoryA(oldDir);
    ASSERT_EQ(1, joinOk);
    ASSERT_EQ(1, refreshOk);
    ASSERT_EQ(1, infoOk);

    for (CTsGDImage* button : {&join, &refresh}) {
        EXPECT_EQ(256, button->GetWidth());
        EXPECT_EQ(22, button->GetHeight());
        EXPECT_EQ(4, button->GetFaceCount());
        EXPECT_EQ(64, button->GetFaceWidth());
        TestCanvas canvas(64, 22, RGB(255, 0, 0));
        ASSERT_EQ(1, button->DrawFace(canvas.Dc(), 0, 0, 0, 0));
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(0, 0)); // corner: transparent
        COLORREF body = canvas.Pixel(5, 15);
        EXPECT_NE(RGB(255, 0, 0), body);
        EXPECT_NE(kKey, body);
        TestCanvas disabled(64, 22, RGB(255, 0, 0));
        ASSERT_EQ(1, button->DrawFace(disabled.Dc(), 0, 0, 3, 0));
        EXPECT_NE(body, disabled.Pixel(5, 15)); // faces differ
    }

    EXPECT_EQ(335, info.GetWidth());
    EXPECT_EQ(211, info.GetHeight());
    EXPECT_FALSE(info.HasTransparentColor());
    TestCanvas canvas(335, 211, RGB(255, 0, 0));
    ASSERT_EQ(1, info.Draw(canvas.Dc(), 0, 0, 0));
    RECT all = {0, 0, 335, 211};
    EXPECT_EQ(0, canvas.CountNot(all, RGB(255, 0, 0), true));
    EXPECT_EQ(335 * 211, canvas.CountNot(all, RGB(255, 0, 0), false));
}

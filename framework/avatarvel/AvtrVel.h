// CAvtrVel: a member's avatar in a 150 x 180 box, its look derived from the
// avatar id and a badge whose colour comes from the member's grade code.
#pragma once

#include <windows.h>

#include "AvatarVelApi.h"

// Draw flag: only the figure and badge, the box background left as it is.
const int AVTRVEL_TRANSPARENT = 0x1;

class AVATARVEL_API CAvtrVel {
public:
    enum : int { kWidth = 150 };
    enum : int { kHeight = 180 };
    // Longest avatar text kept, in bytes.
    enum : int { kMaxText = 200 };

    CAvtrVel();

    // Prepares the avatar of avatarText (cut to kMaxText bytes) for the
    // grade code grade (its first character counts; null or empty is no
    // grade). The four numbers are kept and do not change the picture.
    // Returns 0, leaving the avatar unusable, for a null or empty text.
    int Create(const char* grade, const char* avatarText, int a1, int a2, int a3, int a4);

    // Draws the box with its top-left corner at (x, y): flags 0 draws the
    // figure and badge on a white box, AVTRVEL_TRANSPARENT without the box
    // background. Draws nothing outside the box. Returns 0 when not created.
    int Draw(HDC hdc, int x, int y, int flags);

    int IsCreated() const { return m_bCreated; }
    int GetWidth() const { return kWidth; }
    int GetHeight() const { return kHeight; }

private:
    int m_bCreated;       // non-zero after a successful Create
    unsigned int m_nHash; // hash of the avatar text, source of the look
    char m_cGrade;        // first character of the grade code, or 0
    int m_nArgs[4];       // Create's extra arguments, kept
};

// CAvtr2004: a member's avatar drawn in a 100 x 120 box, its look derived
// from the avatar id (no files, no network): the same id always gives the
// same picture.
#pragma once

#include <windows.h>

#include "AvatarKitApi.h"
#include "AvtrId.h"

class AVATARKIT_API CAvtr2004 {
public:
    // Size of the avatar's box in pixels (enumerators: usable across the
    // DLL boundary without an exported definition).
    enum : int { kWidth = 100 };
    enum : int { kHeight = 120 };

    CAvtr2004();

    // Prepares the avatar of id. kind, size and option are kept for the
    // caller and do not change the picture; clrBack fills the box behind the
    // figure. Returns 0, leaving the avatar unusable, when id is empty.
    int Create(const CAvtrId& id, int kind, int size, int option, COLORREF clrBack);

    // Draws the box with its top-left corner at (x, y): background and
    // figure, composed off-screen. frame is reserved (every value draws the
    // same picture). With bTransparent, pixels of colour clrKey are left out
    // (the figure never uses that colour, so only a background of that
    // colour disappears); otherwise every pixel is copied. Draws nothing
    // outside the box. Returns 0 when not created.
    int Draw(HDC hdc, int x, int y, int frame, bool bTransparent, COLORREF clrKey);

    int IsCreated() const { return m_bCreated; }
    int GetWidth() const { return kWidth; }
    int GetHeight() const { return kHeight; }

private:
    int m_bCreated;                  // non-zero after a successful Create
    unsigned int m_nHash;            // hash of the id, source of the look
    COLORREF m_clrBack;              // background of the box
    int m_nKind, m_nSize, m_nOption; // Create's extra arguments, kept
};

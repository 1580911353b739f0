// CTsBmpButton: a push button painted from a .tsi image whose faces lie side
// by side: normal, hover, pressed, disabled (an image with fewer faces uses
// face 0 for the missing looks). A click sends WM_COMMAND (BN_CLICKED, id)
// with the button's handle to the parent.
#pragma once

#include <afxwin.h>

#include "LobbyKitApi.h"

class CTsGDImage;

class LOBBYKIT_API CTsBmpButton : public CWnd {
public:
    CTsBmpButton();
    virtual ~CTsBmpButton();

    // Loads lpszImagePath (CTsGDImage::Create with nFaces for a bare BMP
    // file; a .tsi header names its own face count) and creates the button.
    //   dwStyle         extra window styles; WS_CHILD | WS_VISIBLE are added
    //   clrTransparent  colour left out when drawing (CLR_INVALID: the file's)
    //   x, y            position in the parent's client area
    //   nID             command id sent with BN_CLICKED
    //   cx, cy          size; 0 takes the face's width or height
    // When the image does not load, no window is made and 0 is returned
    // (GetSafeHwnd() stays null); otherwise non-zero when the window exists.
    int Create(DWORD dwStyle, LPCSTR lpszImagePath, COLORREF clrTransparent, int nFaces, int x,
               int y, CWnd* pParentWnd, UINT nID, int cx, int cy);

    // Width and height of one face of the image; (0, 0) when none is loaded.
    CSize GetButtonSize() const;
    // Colour painted behind transparent pixels (default: the header band's).
    void SetBackColor(COLORREF clr);
    // Face drawn now: 0 normal, 1 hover, 2 pressed, 3 disabled.
    int GetCurrentFace() const;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnEnable(BOOL bEnable);

    DECLARE_MESSAGE_MAP()

private:
    int IsInside(CPoint point) const;
    void SetLook(int bHover, int bPressed);

    CTsGDImage* m_pImage; // the faces, null before Create
    COLORREF m_clrBack;   // painted behind transparent pixels
    int m_bHover;         // the mouse is over the button
    int m_bPressed;       // the left button went down here and is held
    int m_bTracking;      // TrackMouseEvent asked for WM_MOUSELEAVE
};

// CTsBmpButton: an image button with hover, pressed and disabled faces.
#include "TsBmpButton.h"
#include "TsPalette.h"

#include <TsGDImage.h>

// Faces of the image, in file order.
enum { kFaceNormal = 0, kFaceHover = 1, kFacePressed = 2, kFaceDisabled = 3 };

BEGIN_MESSAGE_MAP(CTsBmpButton, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_ENABLE()
END_MESSAGE_MAP()

CTsBmpButton::CTsBmpButton()
    : m_pImage(NULL), m_clrBack(TSCLR_HEADER), m_bHover(0), m_bPressed(0), m_bTracking(0) {}

CTsBmpButton::~CTsBmpButton() {
    delete m_pImage;
}

int CTsBmpButton::Create(DWORD dwStyle, LPCSTR lpszImagePath, COLORREF clrTransparent, int nFaces,
                         int x, int y, CWnd* pParentWnd, UINT nID, int cx, int cy) {
    if (m_hWnd != NULL || lpszImagePath == NULL || pParentWnd == NULL ||
        pParentWnd->GetSafeHwnd() == NULL) {
        return 0;
    }
    CTsGDImage* pImage = new CTsGDImage;
    if (!pImage->Create(lpszImagePath, nFaces > 0 ? nFaces : 1, clrTransparent, 0, 0)) {
        delete pImage;
        return 0;
    }
    delete m_pImage;
    m_pImage = pImage;
    int nWidth = cx > 0 ? cx : m_pImage->GetFaceWidth();
    int nHeight = cy > 0 ? cy : m_pImage->GetHeight();
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    CRect rc(x, y, x + nWidth, y + nHeight);
    return CWnd::CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_VISIBLE, rc, pParentWnd, nID)
               ? 1
               : 0;
}

CSize CTsBmpButton::GetButtonSize() const {
    if (m_pImage == NULL || !m_pImage->IsLoaded()) {
        return CSize(0, 0);
    }
    return CSize(m_pImage->GetFaceWidth(), m_pImage->GetHeight());
}

void CTsBmpButton::SetBackColor(COLORREF clr) {
    m_clrBack = clr;
    if (m_hWnd != NULL) {
        Invalidate(FALSE);
    }
}

// The look the state asks for, or face 0 when the image lacks that face.
int CTsBmpButton::GetCurrentFace() const {
    int nFace = kFaceNormal;
    if (m_hWnd != NULL && !IsWindowEnabled()) {
        nFace = kFaceDisabled;
    } else if (m_bPressed && m_bHover) {
        nFace = kFacePressed;
    } else if (m_bHover) {
        nFace = kFaceHover;
    }
    if (m_pImage == NULL || nFace >= m_pImage->GetFaceCount()) {
        nFace = kFaceNormal;
    }
    return nFace;
}

// Composes the face on the background colour off screen, then copies it.
void CTsBmpButton::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&dc) ||
        !bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height())) {
        return;
    }
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    memDC.FillSolidRect(&rc, m_clrBack);
    if (m_pImage != NULL) {
        m_pImage->DrawFace(memDC.GetSafeHdc(), 0, 0, GetCurrentFace(), 0);
    }
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
}

BOOL CTsBmpButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTsBmpButton::OnMouseMove(UINT, CPoint point) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracking = ::TrackMouseEvent(&tme) ? 1 : 0;
    }
    SetLook(IsInside(point), m_bPressed);
}

void CTsBmpButton::OnMouseLeave() {
    m_bTracking = 0;
    SetLook(0, m_bPressed);
}

void CTsBmpButton::OnLButtonDown(UINT, CPoint) {
    if (!IsWindowEnabled()) {
        return;
    }
    SetCapture();
    SetLook(1, 1);
}

// Releasing inside the button after pressing it is a click: the parent gets
// WM_COMMAND (BN_CLICKED, id). The parent's handler may destroy the button,
// so nothing of it is touched afterwards.
void CTsBmpButton::OnLButtonUp(UINT, CPoint point) {
    if (!m_bPressed) {
        return;
    }
    int bClick = IsInside(point) && IsWindowEnabled();
    m_bPressed = 0;
    if (GetCapture() == this) {
        ::ReleaseCapture();
    }
    SetLook(IsInside(point), 0);
    HWND hParent = ::GetParent(m_hWnd);
    if (bClick && hParent != NULL) {
        UINT nID = GetDlgCtrlID();
        ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)m_hWnd);
    }
}

// Losing the capture some other way cancels a press.
void CTsBmpButton::OnCaptureChanged(CWnd*) {
    if (m_bPressed) {
        SetLook(m_bHover, 0);
    }
}

void CTsBmpButton::OnEnable(BOOL) {
    Invalidate(FALSE);
}

int CTsBmpButton::IsInside(CPoint point) const {
    CRect rc;
    GetClientRect(&rc);
    return rc.PtInRect(point) ? 1 : 0;
}

// Changes the state and repaints when the face changes.
void CTsBmpButton::SetLook(int bHover, int bPressed) {
    int nBefore = GetCurrentFace();
    m_bHover = bHover;
    m_bPressed = bPressed;
    if (GetCurrentFace() != nBefore && m_hWnd != NULL) {
        Invalidate(FALSE);
    }
}

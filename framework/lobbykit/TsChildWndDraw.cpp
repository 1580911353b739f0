// CTsChildWnd: the frame drawing a child window paints under its own
// content: border, header band, background and the gold panel.
#include "TsChildWnd.h"
#include "TsPalette.h"

// The border and, inside it, the band above the header and the header band
// with a light line on its lower edge.
void CTsChildWnd::Draw(CDC* pDC) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || m_hWnd == NULL) {
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    int nBottom = m_nHeaderTop + m_nHeaderHeight;
    if (m_nHeaderTop > 1) {
        pDC->FillSolidRect(1, 1, rc.Width() - 2, m_nHeaderTop - 1, TSCLR_TITLE);
    }
    if (m_nHeaderHeight > 0) {
        pDC->FillSolidRect(1, m_nHeaderTop, rc.Width() - 2, m_nHeaderHeight, TSCLR_HEADER);
        pDC->FillSolidRect(1, nBottom - 1, rc.Width() - 2, 1, TSCLR_HEADER_EDGE);
    }
    pDC->Draw3dRect(&rc, TSCLR_BORDER, TSCLR_BORDER);
}

// Everything below the header band, inside the border.
void CTsChildWnd::FrameBackgroundDraw(CDC* pDC) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || m_hWnd == NULL) {
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    int nTop = m_nHeaderTop + m_nHeaderHeight;
    if (nTop < 1) {
        nTop = 1;
    }
    if (rc.bottom - 1 > nTop) {
        pDC->FillSolidRect(1, nTop, rc.Width() - 2, rc.bottom - 1 - nTop, TSCLR_BACKGROUND);
    }
}

// A gold bar TS_GOLD19_WIDTH x 19 with a light top and a dark bottom edge.
void CTsChildWnd::DrawGold19(CDC* pDC, int x, int y) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL) {
        return;
    }
    pDC->FillSolidRect(x, y, TS_GOLD19_WIDTH, 19, TSCLR_GOLD);
    pDC->FillSolidRect(x, y, TS_GOLD19_WIDTH, 2, TSCLR_GOLD_LIGHT);
    pDC->FillSolidRect(x, y + 17, TS_GOLD19_WIDTH, 2, TSCLR_GOLD_DARK);
}

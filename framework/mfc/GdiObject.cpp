// CGdiObject and its derived wrappers: handle ownership, the handle maps and
// the Create functions.
#include "afximpl.h"

#include <typeinfo>

std::map<HGDIOBJ, CGdiObject*>& AfxPermanentGdi() {
    static std::map<HGDIOBJ, CGdiObject*> map;
    return map;
}

namespace {

// A new wrapper of the class matching the GDI object type of h.
CGdiObject* NewWrapperFor(HGDIOBJ h) {
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

// TRUE when wrapper p has the class a new wrapper of h would have (the
// handle value may have been reused for an object of another kind).
bool WrapperFits(CGdiObject* p, HGDIOBJ h) {
    CGdiObject* fresh = NewWrapperFor(h);
    bool same = typeid(*fresh) == typeid(*p);
    delete fresh;
    return same;
}

void DropWrapper(CGdiObject* p) {
    p->m_hObject = NULL;
    delete p;
}

} // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const {
    // Read through a volatile copy: callers may use a NULL object pointer.
    const CGdiObject* volatile self = this;
    return self == NULL ? NULL : self->m_hObject;
}

// The permanent wrapper of hObject, or a temporary owned by the calling
// thread.
CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    if (hObject == NULL)
        return NULL;
    if (CGdiObject* p = AfxLookupPermanent(AfxPermanentGdi(), hObject))
        return p;
    return AfxTempFromHandle(
        AfxGetThreadState()->tempGdi, hObject, [](HGDIOBJ h) { return ::GetObjectType(h) != 0; },
        WrapperFits,
        [](HGDIOBJ h) {
            CGdiObject* p = NewWrapperFor(h);
            p->m_hObject = h;
            return p;
        },
        DropWrapper);
}

void CGdiObject::DeleteTempMap() {
    AfxClearTempMap(AfxGetThreadState()->tempGdi, DropWrapper);
}

// Refuses a second handle. The Create and Load functions test m_hObject
// before making an object, so a wrapper that already holds one refuses
// them without creating (and leaking) another.
BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == NULL || m_hObject != NULL)
        return FALSE;
    m_hObject = hObject;
    AfxGlobalLock lock;
    AfxPermanentGdi()[hObject] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h != NULL) {
        AfxGlobalLock lock;
        auto& map = AfxPermanentGdi();
        auto it = map.find(h);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hObject = NULL;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const {
    return (UINT)::GetObjectType(m_hObject);
}
BOOL CGdiObject::CreateStockObject(int nIndex) {
    return Attach(::GetStockObject(nIndex));
}
BOOL CGdiObject::UnrealizeObject() {
    return ::UnrealizeObject(m_hObject);
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    CreatePen(nPenStyle, nWidth, crColor);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return m_hObject == NULL && Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) {
    return m_hObject == NULL && Attach(::CreatePenIndirect(lpLogPen));
}

CBrush::CBrush(COLORREF crColor) {
    CreateSolidBrush(crColor);
}
CBrush::CBrush(int nIndex, COLORREF crColor) {
    CreateHatchBrush(nIndex, crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return m_hObject == NULL && Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
    return m_hObject == NULL && Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    return m_hObject == NULL && Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return Attach(::GetSysColorBrush(nIndex));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return m_hObject == NULL && Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename) {
    return m_hObject == NULL &&
           Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    AfxCopyString(lf.lfFaceName, sizeof(lf.lfFaceName), lpszFaceName);
    return CreatePointFontIndirect(&lf, pDC);
}

// lfHeight in tenths of a point becomes a character height in pixels.
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    LOGFONT lf = *lpLogFont;
    HDC hDC = pDC != NULL ? pDC->m_hDC : ::GetDC(NULL);
    int nDpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    lf.lfHeight = -::MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, nDpi, 720);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    HINSTANCE h = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return m_hObject == NULL && Attach(::LoadBitmapA(h, lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return m_hObject == NULL && Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return m_hObject == NULL && Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const {
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    return m_hObject == NULL && Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) {
    return m_hObject == NULL && Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    return m_hObject == NULL && Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->GetSafeHandle(), (HRGN)pRgn2->GetSafeHandle(),
                        nCombineMode);
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return ::PtInRegion((HRGN)m_hObject, x, y);
}
int CRgn::GetRgnBox(LPRECT lpRect) const {
    return ::GetRgnBox((HRGN)m_hObject, lpRect);
}

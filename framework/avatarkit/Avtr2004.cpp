// CAvtr2004: id-derived avatar in a 100 x 120 box.
#include "Avtr2004.h"

#include "AvatarFigure.h"

CAvtr2004::CAvtr2004()
    : m_bCreated(0), m_nHash(0), m_clrBack(RGB(255, 255, 255)), m_nKind(0), m_nSize(0),
      m_nOption(0) {}

int CAvtr2004::Create(const CAvtrId& id, int kind, int size, int option, COLORREF clrBack) {
    m_bCreated = !id.IsEmpty();
    m_nHash = id.GetHash();
    m_clrBack = clrBack & 0x00FFFFFF;
    m_nKind = kind;
    m_nSize = size;
    m_nOption = option;
    return m_bCreated;
}

int CAvtr2004::Draw(HDC hdc, int x, int y, int, bool bTransparent, COLORREF clrKey) {
    if (!m_bCreated)
        return 0;
    return avatar::ComposeFigure(hdc, x, y, kWidth, kHeight, avatar::LookFromHash(m_nHash),
                                 m_clrBack, bTransparent, clrKey & 0x00FFFFFF);
}

// CTsAliveGuard: a link in the object's chain of guards, from the newest
// (innermost on the stack) to the oldest.
#include "TsAliveGuard.h"
#include "TsChildWnd.h"

CTsAliveGuard::CTsAliveGuard(CTsChildWnd* pWnd) : m_pWnd(pWnd), m_pOuter(nullptr) {
    if (m_pWnd != nullptr) {
        m_pOuter = m_pWnd->m_pAliveGuards;
        m_pWnd->m_pAliveGuards = this;
    }
}

// Guards end in the reverse order of their making, so this one is the
// newest of a living object's chain.
CTsAliveGuard::~CTsAliveGuard() {
    if (m_pWnd != nullptr) {
        m_pWnd->m_pAliveGuards = m_pOuter;
    }
}

// CTsAliveGuard: tells a member of a child window whether its object still
// lives after a call that may have ended it.
//
// A host may delete a child window's object whenever it gets control: many
// delete it as its window is destroyed (PostNcDestroy), and a modal box
// pumps messages, among them the host's own quit. So a member that calls
// out (a message box, the frame's services, a dispatch, a close) makes a
// guard on its stack first and asks it afterwards:
//
//     CTsAliveGuard alive(this);
//     TsMessageBox(...);
//     if (!alive)
//         return;  // nothing of this object may be touched any more
//
// The object's destructor clears every guard made on it that is still on
// the stack, so the answer never reads freed memory. Guards nest (each
// links to the one made before it); all of them live on the window's own
// thread.
#pragma once

#include "LobbyKitApi.h"

class CTsChildWnd;

class LOBBYKIT_API CTsAliveGuard {
public:
    explicit CTsAliveGuard(CTsChildWnd* pWnd);
    ~CTsAliveGuard();
    CTsAliveGuard(const CTsAliveGuard&) = delete;
    CTsAliveGuard& operator=(const CTsAliveGuard&) = delete;

    // Whether the object the guard was made on has not been destroyed.
    bool IsAlive() const { return m_pWnd != nullptr; }
    explicit operator bool() const { return IsAlive(); }

private:
    friend class CTsChildWnd;

    CTsChildWnd* m_pWnd;     // the object watched; null once its destructor ran
    CTsAliveGuard* m_pOuter; // the guard made on the same object before this one
};

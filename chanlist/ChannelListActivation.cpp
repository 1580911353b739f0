// CTsChannelListWnd: the frame's activation message, the two activation
// paths, the three window timers and the revealing of the main window.
#include "ChannelListWnd.h"

#include <TsLobbyFrame.h>
#include <TsLobbyMsg.h>

#include "TsRegion.h"
#include "resource.h"

// WM_USER+10. wParam bit TSACT_EX selects the activation that starts or
// stops the window's work, bit TSACT_ON says activate or deactivate; the
// start record in lParam is read only when both bits are set. A start
// record that Init refuses hides the splash and closes the frame, unless
// the host ended the window in Init's box.
LRESULT CTsChannelListWnd::OnMsgFromFrameSetActiveWindow(WPARAM wParam, LPARAM lParam) {
    CString strSplash;
    strSplash.LoadString(IDS_LOADING);
    CTsAliveGuard alive(this);
    ON_SPLASH(strSplash, TSSPLASH_PROGRESS, this);
    if (!alive)
        return 0;

    const int bActive = (wParam & TSACT_ON) ? 1 : 0;
    if (wParam & TSACT_EX) {
        m_bInUse = 1;
        if (bActive && lParam != 0) {
            if (!Init((__tag_GameString*)lParam)) {
                if (!alive)
                    return 0;
                OFF_SPLASH();
                if (!alive)
                    return 0;
                if (m_pFrameWnd != NULL)
                    ::SendMessage(m_pFrameWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
                return 0;
            }
        }
        DoExActive(bActive);
    } else {
        DoActive(bActive);
    }
    return 0;
}

// Activation with TSACT_EX. Activating loads the channel groups and starts
// the idle and avatar timers; with an automatic join pending it starts the
// automatic-join timer instead of handing over to the base. A failed
// catalogue step reveals the main window and closes this one. The loading
// splash stays only over a listing in flight or a pending automatic join.
int CTsChannelListWnd::DoExActive(int bActive) {
    m_bActive = bActive;
    CTsAliveGuard alive(this);
    if (!bActive) {
        ControlButton(0);
        ShowAdHtmlView(NULL);
        KillTimer(TIMER_IDLE);
        if (TsRegion::kAvatarTimer)
            KillTimer(TIMER_AVATAR);
        if (m_bAutoJoin)
            KillTimer(TIMER_AUTOJOIN);
        DropAvatarOnDeactivation();
        HideSplashUnlessListing();
        return alive ? CTsChildWnd::DoExActive(0) : 1;
    }

    const int bCatalogueFailed = GetChannelGroupInfo() == 0;
    if (!alive)
        return 1;
    ControlButton(1);
    ShowAdHtmlView(m_pTitleInfo->m_strAdPage);
    KillTimer(TIMER_IDLE);
    m_dwLastActiveTick = AfxGetTickCount();
    SetTimer(TIMER_IDLE, TIMER_IDLE_PERIOD, NULL);
    if (TsRegion::kAvatarTimer)
        SetTimer(TIMER_AVATAR, TsRegion::kAvatarTimerPeriod, NULL);
    if (m_bAutoJoin) {
        KillTimer(TIMER_AUTOJOIN);
        SetTimer(TIMER_AUTOJOIN, TIMER_AUTOJOIN_PERIOD, NULL);
        return 1;
    }
    return FinishStart(bCatalogueFailed);
}

// Closing may lead the host to destroy this window, and delete this object
// with it: then nothing is left to activate.
int CTsChannelListWnd::FinishStart(int bCatalogueFailed) {
    CTsAliveGuard alive(this);
    HideSplashUnlessListing();
    if (!alive)
        return 1;
    if (bCatalogueFailed) {
        ShowMainWindowIfHidden();
        const HWND hWnd = m_hWnd;
        OnCloseBoxClicked(0);
        if (!alive || !::IsWindow(hWnd))
            return 1;
    }
    return CTsChildWnd::DoExActive(1);
}

// The start string's channel could not be handed over (its box, if any,
// has been answered): the channel groups are loaded again, now without an
// automatic join pending, so that the first admitted group is listed; the
// sub id cut from the channel id goes with it. The timers already run.
void CTsChannelListWnd::StartWithoutAutoJoin() {
    if (GetSafeHwnd() == NULL)
        return;
    m_strSubId.Empty();
    CTsAliveGuard alive(this);
    const int bCatalogueFailed = GetChannelGroupInfo() == 0;
    if (!alive)
        return;
    FinishStart(bCatalogueFailed);
    ShowMainWindowIfHidden();
}

// Activation without TSACT_EX: coming to the front refreshes the channel
// list; leaving it stops the idle watch and drops the avatar, leaving the
// frame's buttons and the avatar timer alone. Without a refresh the
// activation's splash goes at once, and when leaving, unless a listing is
// in flight.
int CTsChannelListWnd::DoActive(int bActive) {
    m_bActive = bActive;
    CTsAliveGuard alive(this);
    if (!bActive) {
        ShowAdHtmlView(NULL);
        KillTimer(TIMER_IDLE);
        DropAvatarOnDeactivation();
        HideSplashUnlessListing();
        return alive ? CTsChildWnd::DoActive(0) : 1;
    }

    ControlButton(1);
    ShowAdHtmlView(m_pTitleInfo->m_strAdPage);
    KillTimer(TIMER_IDLE);
    m_dwLastActiveTick = AfxGetTickCount();
    SetTimer(TIMER_IDLE, TIMER_IDLE_PERIOD, NULL);
    if (TsRegion::kRefreshWhenActivated && !m_strSubId.IsEmpty())
        OnBtnChannelListRefreshClicked();
    else
        OFF_SPLASH();
    ShowMainWindowIfHidden();
    return alive ? CTsChildWnd::DoActive(1) : 1;
}

// TIMER_IDLE: while child 1 or 2 of the frame is in front the idle clock
// restarts; otherwise more than two hours idle closes the window and more
// than ten seconds marks it as not in use. The idle time is the signed
// difference of two tick counts, so it stays right across the counter's
// wrap. TIMER_AUTOJOIN: the first tick hands the automatic join over; one
// that cannot be handed over starts the window as if none were asked for.
// TIMER_AVATAR: the avatar box is redrawn. TIMER_LISTING: a listing whose
// server has been silent too long ends as an unreachable server does: the
// connection dropped, the splash hidden, the user told, the main window
// revealed; the lists keep what they show.
void CTsChannelListWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_IDLE) {
        if (IsActiveWindow(1) || IsActiveWindow(2)) {
            m_dwLastActiveTick = AfxGetTickCount();
            return;
        }
        const int nIdle = (int)(AfxGetTickCount() - m_dwLastActiveTick);
        if (nIdle > 7200000) {
            OnCloseBoxClicked(1);
            return;
        }
        if (nIdle > 10000) {
            m_bInUse = 0;
            return;
        }
    } else if (nIDEvent == TIMER_AUTOJOIN) {
        if (m_bAutoJoin) {
            KillTimer(TIMER_AUTOJOIN);
            m_bAutoJoin = 0;
            CTsAliveGuard alive(this);
            if (!AutoJoinChannel() && alive)
                StartWithoutAutoJoin();
            return;
        }
    } else if (nIDEvent == TIMER_LISTING) {
        if (IsListingOverdue()) {
            DestroyClient();
            CTsAliveGuard alive(this);
            EndListing();
            if (alive)
                ShowCannotConnect();
            ShowMainWindowIfHidden();
        }
        return;
    } else if (TsRegion::kAvatarTimer && nIDEvent == TIMER_AVATAR) {
        OnMsgRedrawAvatar(0, 0);
    }
    CTsChildWnd::OnTimer(nIDEvent);
}

// Leaving the front or stopping work drops the avatar, made again by the
// next paint; where the avatar has no timer it lives as long as the window.
void CTsChannelListWnd::DropAvatarOnDeactivation() {
    if (!TsRegion::kAvatarTimer)
        return;
    delete m_pAvatar;
    m_pAvatar = NULL;
}

// The host may keep its main window hidden while the channel list loads;
// every load ends by showing it. A thread without a main window has
// nothing to show.
void CTsChannelListWnd::ShowMainWindowIfHidden() {
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL && !pMainWnd->IsWindowVisible())
        pMainWnd->ShowWindow(SW_SHOW);
}

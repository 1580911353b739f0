// CTsChildWnd: the client connection and the socket events it turns into
// virtual calls on the window's thread.
#include <TstpSocket.h>

#include "TsChildWnd.h"

int CTsChildWnd::CreateClient(const char* pszHost, int nPort) {
    if (m_hWnd == NULL || pszHost == NULL) {
        return 0;
    }
    if (m_pSocket == NULL) {
        m_pSocket = new CTstpSocket;
    }
    m_nClientSerial++;
    m_nPulledError = 0;
    return m_pSocket->Connect(m_hWnd, WM_TSTP_SOCKET, pszHost, nPort) ? 1 : 0;
}

void CTsChildWnd::DestroyClient() {
    m_nClientSerial++;
    if (m_pSocket != NULL) {
        m_pSocket->Close();
    }
}

int CTsChildWnd::SendData(const char* pData, int nLength) {
    if (m_pSocket == NULL) {
        return WSAENOTCONN;
    }
    return m_pSocket->Send(pData, nLength);
}

int CTsChildWnd::ReadData(char*& pBuffer, int& nLength) {
    if (m_pSocket == NULL) {
        pBuffer = NULL;
        nLength = 0;
        return 0;
    }
    return m_pSocket->ReadData(pBuffer, nLength);
}

int CTsChildWnd::OnSocketConnect(CTstpSocket* pSocket) {
    return pSocket != NULL ? pSocket->GetLastEventError() : WSAENOTSOCK;
}

int CTsChildWnd::OnSocketSend(CTstpSocket* pSocket) {
    return pSocket != NULL ? pSocket->GetLastEventError() : WSAENOTSOCK;
}

// On FD_CLOSE the pull already ran and is answered here, once, without
// reading again: 0, so that the messages it brought are taken even when a
// reset ended it (OnSocketClose reports that), or WSAEMSGSIZE.
int CTsChildWnd::OnSocketReceive(CTstpSocket* pSocket) {
    if (pSocket == NULL) {
        return WSAENOTSOCK;
    }
    if (pSocket == m_pSocket && m_bPulling) {
        m_bPulling = 0;
        return m_nPulledError;
    }
    return pSocket->Receive();
}

// A reset that ended reading after the close was accepted (FD_CLOSE's pull)
// is the close's error when the event carries none.
int CTsChildWnd::OnSocketClose(CTstpSocket* pSocket) {
    if (pSocket == NULL) {
        return WSAENOTSOCK;
    }
    int nError = pSocket->GetLastEventError();
    return nError != 0 ? nError : pSocket->GetReceiveError();
}

// WM_TSTP_SOCKET: accepts notifications of the current connection only and
// calls the matching virtual. FD_CLOSE first pulls what Winsock still holds;
// if bytes are waiting, or the pull ended the connection with an oversized
// frame, OnSocketReceive runs before OnSocketClose (and its base answers
// for the pull: WSAEMSGSIZE, else 0). The close is not reported when the
// receive step ended the connection (the oversized frame, DestroyClient or a
// new CreateClient, even one whose socket got the old handle value),
// destroyed the window or led the host to delete this object.
LRESULT CTsChildWnd::OnMsgFromSocket(WPARAM wParam, LPARAM lParam) {
    int nEvent = 0;
    if (m_pSocket == NULL || !m_pSocket->HandleEvent(wParam, lParam, &nEvent)) {
        return 0;
    }
    switch (nEvent) {
    case FD_CONNECT:
        OnSocketConnect(m_pSocket);
        break;
    case FD_WRITE:
        OnSocketSend(m_pSocket);
        break;
    case FD_READ:
        OnSocketReceive(m_pSocket);
        break;
    case FD_CLOSE: {
        HWND hWnd = m_hWnd;
        SOCKET hSocket = m_pSocket->GetHandle();
        UINT nSerial = m_nClientSerial;
        int nPull = m_pSocket->Receive();
        if (m_pSocket->GetBufferedSize() > 0 || nPull == WSAEMSGSIZE) {
            m_nPulledError = nPull == WSAEMSGSIZE ? nPull : 0;
            m_bPulling = 1;
            CTsAliveGuard alive(this);
            OnSocketReceive(m_pSocket);
            if (!alive || !::IsWindow(hWnd)) {
                break;
            }
            m_nPulledError = 0;
            m_bPulling = 0;
            if (m_nClientSerial != nSerial || m_pSocket == NULL ||
                m_pSocket->GetHandle() != hSocket) {
                break;
            }
        }
        OnSocketClose(m_pSocket);
        break;
    }
    default:
        break;
    }
    return 0;
}

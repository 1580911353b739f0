// afxmt.h - synchronization objects: critical section, event, and a lock
// that releases in its destructor.
#pragma once

#include "afxwin.h"

class AFX_CORE_API CSyncObject : public CObject {
public:
    explicit CSyncObject(LPCTSTR pstrName);
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;

    HANDLE m_hObject; // kernel object, NULL for a critical section
};

class AFX_CORE_API CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    virtual ~CCriticalSection();

    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock();
    virtual BOOL Lock(DWORD dwTimeout);
    virtual BOOL Unlock();

    CRITICAL_SECTION m_sect;
};

// A Win32 event; a name makes it shared between processes.
class AFX_CORE_API CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = NULL,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CEvent();

    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    virtual BOOL Unlock();
};

// Locks pObject (at once if bInitialLock) and unlocks it when destroyed.
class AFX_CORE_API CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject; // the object locked
    BOOL m_bAcquired;       // Lock succeeded and Unlock was not called yet

private:
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
};

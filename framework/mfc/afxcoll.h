// afxcoll.h - CPtrList, a doubly-linked list of void pointers.
#pragma once

#ifndef AFX_CORE_API
#include "afx.h"
#endif

// An opaque iterator: a list node, or NULL past either end.
struct __POSITION {};
typedef __POSITION* POSITION;

#define BEFORE_START_POSITION ((POSITION)-1L)

// Nodes are taken from blocks of nBlockSize nodes and recycled through a free
// list; the blocks are returned when the list becomes empty or is destroyed.
class AFX_CORE_API CPtrList : public CObject {
public:
    explicit CPtrList(int nBlockSize = 10);
    ~CPtrList();

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    void*& GetHead();
    void* GetHead() const;
    void*& GetTail();
    void* GetTail() const;

    void* RemoveHead();
    void* RemoveTail();
    POSITION AddHead(void* newElement);
    POSITION AddTail(void* newElement);
    void AddHead(CPtrList* pNewList);
    void AddTail(CPtrList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    void*& GetNext(POSITION& rPosition);
    void* GetNext(POSITION& rPosition) const;
    void*& GetPrev(POSITION& rPosition);
    void* GetPrev(POSITION& rPosition) const;

    void*& GetAt(POSITION position);
    void* GetAt(POSITION position) const;
    void SetAt(POSITION pos, void* newElement);
    void RemoveAt(POSITION position);

    POSITION InsertBefore(POSITION position, void* newElement);
    POSITION InsertAfter(POSITION position, void* newElement);

    // First node holding searchValue after startAfter (NULL: from the head).
    POSITION Find(void* searchValue, POSITION startAfter = NULL) const;
    // Node at zero-based nIndex, or NULL when out of range.
    POSITION FindIndex(int nIndex) const;

protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        void* data;
    };
    CNode* m_pNodeHead; // first node or NULL
    CNode* m_pNodeTail; // last node or NULL
    int m_nCount;       // number of elements
    CNode* m_pNodeFree; // recycled nodes, linked through pNext
    void* m_pBlocks;    // allocated node blocks, linked through their first word
    int m_nBlockSize;   // nodes per block

    CNode* NewNode(CNode* pPrev, CNode* pNext);
    void FreeNode(CNode* pNode);
};

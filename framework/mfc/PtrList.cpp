// CPtrList: a doubly-linked list whose nodes come from blocks of
// m_nBlockSize nodes, recycled through a free list.
#include "afximpl.h"

#include <stdlib.h>

CPtrList::CPtrList(int nBlockSize)
    : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}

CPtrList::~CPtrList() {
    RemoveAll();
}

// Takes a node from the free list (allocating a new block when it is
// empty) and links it between pPrev and pNext.
CPtrList::CNode* CPtrList::NewNode(CNode* pPrev, CNode* pNext) {
    if (m_pNodeFree == NULL) {
        // A block is one link word followed by m_nBlockSize nodes.
        void** pBlock = (void**)malloc(sizeof(void*) + sizeof(CNode) * m_nBlockSize);
        if (pBlock == NULL)
            abort();
        *pBlock = m_pBlocks;
        m_pBlocks = pBlock;
        CNode* pNodes = (CNode*)(pBlock + 1);
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            pNodes[i].pNext = m_pNodeFree;
            m_pNodeFree = &pNodes[i];
        }
    }
    CNode* pNode = m_pNodeFree;
    m_pNodeFree = pNode->pNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    pNode->data = NULL;
    ++m_nCount;
    if (pPrev != NULL)
        pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    if (pNext != NULL)
        pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    return pNode;
}

// Unlinks pNode and returns it to the free list; the blocks go back to the
// heap once the list is empty.
void CPtrList::FreeNode(CNode* pNode) {
    if (pNode->pPrev != NULL)
        pNode->pPrev->pNext = pNode->pNext;
    else
        m_pNodeHead = pNode->pNext;
    if (pNode->pNext != NULL)
        pNode->pNext->pPrev = pNode->pPrev;
    else
        m_pNodeTail = pNode->pPrev;
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    if (--m_nCount == 0)
        RemoveAll();
}

void CPtrList::RemoveAll() {
    while (m_pBlocks != NULL) {
        void* pNext = *(void**)m_pBlocks;
        free(m_pBlocks);
        m_pBlocks = pNext;
    }
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    m_nCount = 0;
}

// Accessors on an empty list return a slot holding NULL instead of crashing.
static void* s_nullSlot;

void*& CPtrList::GetHead() {
    return m_pNodeHead ? m_pNodeHead->data : (s_nullSlot = NULL);
}
void* CPtrList::GetHead() const {
    return m_pNodeHead ? m_pNodeHead->data : NULL;
}
void*& CPtrList::GetTail() {
    return m_pNodeTail ? m_pNodeTail->data : (s_nullSlot = NULL);
}
void* CPtrList::GetTail() const {
    return m_pNodeTail ? m_pNodeTail->data : NULL;
}

void* CPtrList::RemoveHead() {
    if (m_pNodeHead == NULL)
        return NULL;
    void* data = m_pNodeHead->data;
    FreeNode(m_pNodeHead);
    return data;
}

void* CPtrList::RemoveTail() {
    if (m_pNodeTail == NULL)
        return NULL;
    void* data = m_pNodeTail->data;
    FreeNode(m_pNodeTail);
    return data;
}

POSITION CPtrList::AddHead(void* newElement) {
    CNode* pNode = NewNode(NULL, m_pNodeHead);
    pNode->data = newElement;
    return (POSITION)pNode;
}

POSITION CPtrList::AddTail(void* newElement) {
    CNode* pNode = NewNode(m_pNodeTail, NULL);
    pNode->data = newElement;
    return (POSITION)pNode;
}

void CPtrList::AddHead(CPtrList* pNewList) {
    if (pNewList == NULL)
        return;
    for (POSITION pos = pNewList->GetTailPosition(); pos != NULL;)
        AddHead(pNewList->GetPrev(pos));
}

void CPtrList::AddTail(CPtrList* pNewList) {
    if (pNewList == NULL)
        return;
    for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
        AddTail(pNewList->GetNext(pos));
}

void*& CPtrList::GetNext(POSITION& rPosition) {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
}

void* CPtrList::GetNext(POSITION& rPosition) const {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
}

void*& CPtrList::GetPrev(POSITION& rPosition) {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
}

void* CPtrList::GetPrev(POSITION& rPosition) const {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
}

void*& CPtrList::GetAt(POSITION position) {
    return ((CNode*)position)->data;
}
void* CPtrList::GetAt(POSITION position) const {
    return ((CNode*)position)->data;
}
void CPtrList::SetAt(POSITION pos, void* newElement) {
    ((CNode*)pos)->data = newElement;
}

void CPtrList::RemoveAt(POSITION position) {
    if (position != NULL)
        FreeNode((CNode*)position);
}

POSITION CPtrList::InsertBefore(POSITION position, void* newElement) {
    if (position == NULL)
        return AddHead(newElement);
    CNode* pOld = (CNode*)position;
    CNode* pNode = NewNode(pOld->pPrev, pOld);
    pNode->data = newElement;
    return (POSITION)pNode;
}

POSITION CPtrList::InsertAfter(POSITION position, void* newElement) {
    if (position == NULL)
        return AddTail(newElement);
    CNode* pOld = (CNode*)position;
    CNode* pNode = NewNode(pOld, pOld->pNext);
    pNode->data = newElement;
    return (POSITION)pNode;
}

POSITION CPtrList::Find(void* searchValue, POSITION startAfter) const {
    CNode* pNode = startAfter == NULL ? m_pNodeHead : ((CNode*)startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
        if (pNode->data == searchValue)
            return (POSITION)pNode;
    return NULL;
}

POSITION CPtrList::FindIndex(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

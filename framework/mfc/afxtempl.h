// afxtempl.h - CTypedPtrList, a type-safe front of a pointer list.
#pragma once

#include "afx.h"

// BASE_CLASS is CPtrList; TYPE is the element pointer type. Every accessor
// casts between TYPE and the void* the base stores.
template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }

    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead((void*)newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail((void*)newElement); }
    void AddHead(CTypedPtrList<BASE_CLASS, TYPE>* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList<BASE_CLASS, TYPE>* pNewList) { BASE_CLASS::AddTail(pNewList); }

    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, (void*)newElement); }

    POSITION InsertBefore(POSITION pos, TYPE newElement) {
        return BASE_CLASS::InsertBefore(pos, (void*)newElement);
    }
    POSITION InsertAfter(POSITION pos, TYPE newElement) {
        return BASE_CLASS::InsertAfter(pos, (void*)newElement);
    }
    POSITION Find(TYPE searchValue, POSITION startAfter = NULL) const {
        return BASE_CLASS::Find((void*)searchValue, startAfter);
    }
};

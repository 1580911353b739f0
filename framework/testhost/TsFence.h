// Fenced memory, for tests that must see any use of an object after its
// deletion rather than survive it by luck: each block takes whole pages of
// its own, and freeing it takes every access from those pages instead of
// giving them back, so that a later read or write of the object faults at
// once. The pages are never reused; meant for the few objects of a test.
//
// A class gets it through its own operator new and delete:
//
//     static void* operator new(size_t nSize) { return TsFencedAlloc(nSize); }
//     static void operator delete(void* p) { TsFencedFree(p); }
#pragma once

#include <stddef.h>

// A zero-filled block of at least nSize bytes at the start of pages of its
// own; throws std::bad_alloc when none can be had.
void* TsFencedAlloc(size_t nSize);
// Makes the pages of a block from TsFencedAlloc inaccessible. Null does
// nothing.
void TsFencedFree(void* p);
// Whether p lies in a block that TsFencedFree fenced.
bool TsIsFenced(const void* p);

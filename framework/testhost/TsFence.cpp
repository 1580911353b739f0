// Fenced memory: VirtualAlloc'd pages, made PAGE_NOACCESS when freed.
#include "TsFence.h"

#include <windows.h>

#include <new>

void* TsFencedAlloc(size_t nSize) {
    void* p =
        ::VirtualAlloc(NULL, nSize != 0 ? nSize : 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (p == NULL) {
        throw std::bad_alloc();
    }
    return p;
}

void TsFencedFree(void* p) {
    if (p == NULL) {
        return;
    }
    MEMORY_BASIC_INFORMATION info;
    if (::VirtualQuery(p, &info, sizeof(info)) == 0) {
        return;
    }
    DWORD dwOld = 0;
    ::VirtualProtect(info.AllocationBase, info.RegionSize, PAGE_NOACCESS, &dwOld);
}

bool TsIsFenced(const void* p) {
    MEMORY_BASIC_INFORMATION info;
    return ::VirtualQuery(p, &info, sizeof(info)) != 0 && info.Protect == PAGE_NOACCESS;
}

// The pointer-list names the record headers declare typedefs of, for the
// native fuzz build only; the plain logic never makes a list.
#pragma once

class CPtrList;
template <class BASE_CLASS, class TYPE> class CTypedPtrList;

// Compiles every public header of the subset together.
#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"
#include "afxext.h"
#include "afxdllx.h"
#include "afxmt.h"

// afxext.h - extension-library support; everything lives in afxwin.h.
#pragma once

#include "afxwin.h"

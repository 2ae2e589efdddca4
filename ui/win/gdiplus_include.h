#pragma once
// <windows.h> and GDI+ in the order GDI+ needs: the lean Windows headers leave
// out the COM declarations (IStream, PROPID) that gdiplus.h uses.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#pragma once
// <windows.h> and GDI+ in the order GDI+ needs: the lean Windows headers leave
// out the COM declarations (IStream, PROPID) that gdiplus.h uses. The
// framework's interfaces have methods named like user32's A/W macros
// (DrawText, CreateFont, GetMessage, ...); the macros go, and this layer calls
// the W functions by their full names.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#undef CreateFont
#undef DefWindowProc
#undef DispatchMessage
#undef DrawText
#undef GetMessage
#undef PeekMessage
#undef PostMessage
#undef SendMessage

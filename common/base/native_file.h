#pragma once
// The platform's handle of an open file: a HANDLE on Windows, a descriptor on Linux.
namespace VaroBase {
#ifdef _WIN32
using NativeFile = void*;
#else
using NativeFile = int;
#endif
}  // namespace VaroBase

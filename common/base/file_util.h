#pragma once
// Small file-system queries. Paths are wide text; the Linux build also accepts
// '\' as a separator (it is turned into '/').
#include <string>

namespace base {

// Full path of the running executable (at most 260 characters on Windows).
std::wstring ModuleFilePath();
bool IsDirectory(const std::wstring& path);
// Path in the platform's own spelling: unchanged on Windows, '\' -> '/' on Linux.
std::wstring NativePath(const std::wstring& path);

}  // namespace base

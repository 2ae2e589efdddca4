#include "common/base/file_util.h"

#include <windows.h>
#include <shlwapi.h>

namespace base {

std::wstring ModuleFilePath() {
  wchar_t buf[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  return std::wstring(buf, n);
}

bool IsDirectory(const std::wstring& path) { return PathIsDirectoryW(path.c_str()) != FALSE; }

std::wstring NativePath(const std::wstring& path) { return path; }

}  // namespace base

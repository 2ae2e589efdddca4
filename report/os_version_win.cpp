#include "report/os_version.h"

#include <windows.h>

namespace identity {

std::wstring WindowsDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace identity

#include "common/base/win_exception.h"

#include <windows.h>

namespace VaroBase {

uint32_t LastPlatformError() { return GetLastError(); }

std::string SystemErrorDescription(uint32_t code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0,
      nullptr);
  std::string description;
  if (length != 0 && text) description.assign(text, length);
  if (text) LocalFree(text);
  return description;
}

}  // namespace VaroBase

#include "installer/shell_open.h"

#include <windows.h>
#include <shellapi.h>

namespace installer {

void OpenUrl(const std::wstring& url) {
  ShellExecuteW(nullptr, nullptr, url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace installer

#pragma once
// Opens an address in the desktop's default browser (ShellExecuteW, default
// verb, no owner). The result is ignored: a page that cannot open just doesn't.
#include <string>

namespace installer {

void OpenUrl(const std::wstring& url);

}  // namespace installer

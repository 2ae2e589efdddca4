#pragma once
// Conversions between UTF-8, the system ANSI code page and wide text.
// Wide text is std::wstring: UTF-16 on Windows, UTF-32 on Linux. The ANSI code
// page is the Windows code page of the system; on Linux it is UTF-8.
#include <string>
#include <string_view>

namespace base {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

// Invalid input (a broken UTF-8 sequence, a lone surrogate) becomes U+FFFD.

}  // namespace base

#pragma once
// UTF-8 codec for the Linux build, where wchar_t holds UTF-32 code points.
// Windows uses MultiByteToWideChar instead.
#include <string>
#include <string_view>

namespace base::utf {

std::wstring DecodeUtf8ToWide(std::string_view utf8);
std::string EncodeWideToUtf8(std::wstring_view wide);

}  // namespace base::utf

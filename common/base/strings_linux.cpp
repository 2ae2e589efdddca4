#include "common/base/strings.h"

#include "common/base/utf.h"

namespace base {

std::wstring Utf8ToWide(std::string_view utf8) { return utf::DecodeUtf8ToWide(utf8); }
std::string WideToUtf8(std::wstring_view wide) { return utf::EncodeWideToUtf8(wide); }
std::wstring AnsiToWide(std::string_view ansi) { return utf::DecodeUtf8ToWide(ansi); }
std::string WideToAnsi(std::wstring_view wide) { return utf::EncodeWideToUtf8(wide); }

}  // namespace base

#include "common/base/win_exception.h"

#include <cstdio>
#include <vector>

#include "common/base/strings.h"

namespace VaroBase {
namespace {

constexpr char kReportFormat[] =
    "Throw win_exception at \nFile:%s\nLine:%u\nFunction:%s\nMessage:%s\nLastError:%u\n"
    "Description:%s";

}  // namespace

win_exception::win_exception(const char* file, unsigned line, const char* function,
                             std::wstring_view message, uint32_t lastError) {
  const std::string ansiMessage = base::WideToAnsi(message);
  const std::string description = SystemErrorDescription(lastError);
  const auto format = [&](char* out, size_t size) {
    return std::snprintf(out, size, kReportFormat, file ? file : "", line, function ? function : "",
                         ansiMessage.c_str(), static_cast<unsigned>(lastError),
                         description.c_str());
  };
  const int length = format(nullptr, 0);
  if (length <= 0) return;
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  format(buffer.data(), buffer.size());
  text_.assign(buffer.data(), static_cast<size_t>(length));
}

}  // namespace VaroBase

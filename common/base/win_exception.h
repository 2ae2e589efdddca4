#pragma once
// The exception of the base library for a failed platform call. Its text is the
// full report:
//   Throw win_exception at
//   File:<source file>
//   Line:<line>
//   Function:<operation label>
//   Message:<message in the ANSI code page>
//   LastError:<code>
//   Description:<the system's text for the code, as returned, or empty>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace VaroBase {

class win_exception : public std::exception {
 public:
  // `lastError` must be captured right after the failed call (LastPlatformError).
  win_exception(const char* file, unsigned line, const char* function, std::wstring_view message,
                uint32_t lastError);

  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// The calling thread's last platform error: GetLastError() on Windows, errno on Linux.
uint32_t LastPlatformError();
// The system's message text for `code` in the default language, trailing line
// break included; empty when the system has no text for it.
std::string SystemErrorDescription(uint32_t code);

}  // namespace VaroBase

// Throws a win_exception for the failed call just made, recording this source
// position. The error code is read before anything else can overwrite it.
#define VARO_THROW_WIN_EXCEPTION(function, message)                                 \
  do {                                                                              \
    const uint32_t varo_last_error_ = ::VaroBase::LastPlatformError();              \
    throw ::VaroBase::win_exception(__FILE__, __LINE__, function, message,          \
                                    varo_last_error_);                              \
  } while (false)

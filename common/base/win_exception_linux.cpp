#include "common/base/win_exception.h"

#include <cerrno>
#include <cstring>

namespace VaroBase {

uint32_t LastPlatformError() { return static_cast<uint32_t>(errno); }

// strerror's text with the line break that the Windows message table carries;
// codes the C library does not know have no text.
std::string SystemErrorDescription(uint32_t code) {
  if (code > 4095) return {};
  const char* name = strerrordesc_np(static_cast<int>(code));
  if (!name) return {};
  return std::string(name) + "\r\n";
}

}  // namespace VaroBase

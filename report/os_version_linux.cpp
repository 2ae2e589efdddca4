#include "report/os_version.h"

namespace identity {

std::wstring WindowsDirectory() { return {}; }

}  // namespace identity

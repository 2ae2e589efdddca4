#include "common/base/thread_id.h"

#include <windows.h>

namespace base {
uint32_t CurrentThreadId() { return GetCurrentThreadId(); }
}  // namespace base

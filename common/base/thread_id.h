#pragma once
#include <cstdint>

namespace base {

// The operating system's id of the calling thread (the Windows thread id; the
// kernel task id on Linux). Never 0 for a running thread.
uint32_t CurrentThreadId();

}  // namespace base

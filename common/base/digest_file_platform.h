#pragma once
// The two ways DigestFile takes a file's bytes, one per platform file.
#include <cstdint>

#include "common/base/hash_algorithm.h"
#include "common/base/native_file.h"

namespace VaroBase::detail {

// One allocation of `size` bytes and one read from the current position; false
// when the allocation or the read fails or the read returns fewer bytes.
bool HashFileByReading(NativeFile file, uint32_t size, Hash& hash);
// One read-only mapping of the first `size` bytes; false when it cannot be made.
bool HashFileByMapping(NativeFile file, uint32_t size, Hash& hash);

}  // namespace VaroBase::detail

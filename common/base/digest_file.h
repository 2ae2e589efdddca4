#pragma once
// The MD5 digest of a whole file on disk.
#include <cstdint>

#include "common/base/digest.h"
#include "common/base/native_file.h"

namespace VaroBase {

// Files up to this size are read into memory in one read; larger ones are mapped.
inline constexpr uint32_t kDigestReadLimit = 104857600;

enum class DigestFileStatus { kOk, kReadFailed, kMappingFailed };

struct FileDigest {
  DigestFileStatus status = DigestFileStatus::kReadFailed;
  Digest digest;  // 16 bytes when status is kOk, empty otherwise
};

// Digest of the first `size` bytes of `file`, read from its current position
// (files up to kDigestReadLimit) or mapped from offset 0 (larger files). The
// caller opened the file for reading and checked that `size` is its size. A read
// returning fewer bytes than asked is kReadFailed; a file shorter than `size`
// cannot be mapped (kMappingFailed). Throws win_exception when the MD5 service fails.
FileDigest DigestFile(NativeFile file, uint32_t size, const HashProv& provider);

}  // namespace VaroBase

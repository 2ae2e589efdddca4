#include "common/base/digest_file.h"

#include "common/base/digest_file_platform.h"

namespace VaroBase {

FileDigest DigestFile(NativeFile file, uint32_t size, const HashProv& provider) {
  Hash hash;
  hash.Create(provider);
  FileDigest result;
  if (size <= kDigestReadLimit) {
    if (!detail::HashFileByReading(file, size, hash)) {
      result.status = DigestFileStatus::kReadFailed;
      return result;
    }
  } else if (!detail::HashFileByMapping(file, size, hash)) {
    result.status = DigestFileStatus::kMappingFailed;
    return result;
  }
  result.digest = GetHashValue(hash);
  result.status = DigestFileStatus::kOk;
  return result;
}

}  // namespace VaroBase

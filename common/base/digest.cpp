#include "common/base/digest.h"

namespace VaroBase {

Digest GetHashValue(Hash& hash) {
  uint32_t size = 0;
  hash.GetHash(nullptr, &size);
  Digest value(size);
  hash.GetHash(value.data(), &size);
  value.resize(size);
  return value;
}

std::string DigestText(std::string_view text) {
  HashProv provider;
  provider.AcquireContext();
  Hash hash;
  hash.Create(provider);
  hash.HashData(text.data(), static_cast<uint32_t>(text.size()));
  return BytesToHex(GetHashValue(hash));
}

}  // namespace VaroBase

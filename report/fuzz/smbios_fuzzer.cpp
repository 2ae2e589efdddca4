// libFuzzer target: the SMBIOS structure walk, string lookup and text over any
// bytes. The data is copied into an allocation of exactly its size so that a
// read past the end is caught by AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "report/smbios.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<uint8_t[]> exact(new uint8_t[size ? size : 1]);
  std::copy(data, data + size, exact.get());
  const identity::SmbiosStructures kept = identity::WalkSmbiosTable(exact.get(), size);
  for (const std::vector<uint8_t>* s : {&kept.system, &kept.enclosure}) {
    if (s->empty()) continue;
    // A kept copy is a whole structure: its formatted area and two final NULs.
    if (s->size() < 6 || (*s)[1] + 2u > s->size() || s->back() != 0 || (*s)[s->size() - 2] != 0)
      std::abort();
    for (int n = 0; n < 256; ++n) identity::SmbiosString(*s, static_cast<uint8_t>(n));
  }
  identity::SmbiosText(std::vector<uint8_t>(data, data + size));
  return 0;
}

#include "report/client_version.h"

#include <cstdio>

namespace identity {

uint64_t ClientVersionOf(const std::optional<FixedFileVersion>& version) {
  if (!version) return 0;
  return (static_cast<uint64_t>(version->fileMS) << 32) | version->fileLS;
}

void FormatVersionText(uint64_t version, char (&text)[kVersionTextSize]) {
  std::snprintf(text, kVersionTextSize, "%llu.%llu.%llu.%llu",
                static_cast<unsigned long long>((version >> 48) & 0xFFFF),
                static_cast<unsigned long long>((version >> 32) & 0xFFFF),
                static_cast<unsigned long long>((version >> 16) & 0xFFFF),
                static_cast<unsigned long long>(version & 0xFFFF));
}

}  // namespace identity

#pragma once
// The program's own file version as a number and as text.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "report/identity_sources.h"

namespace identity {

inline constexpr size_t kVersionTextSize = 24;

// (most-significant pair << 32) | least-significant pair of the file version; 0 without one.
uint64_t ClientVersionOf(const std::optional<FixedFileVersion>& version);

// "major.minor.build.revision" from bits 63..48, 47..32, 31..16 and 15..0; at
// most 23 characters and the NUL.
void FormatVersionText(uint64_t version, char (&text)[kVersionTextSize]);

}  // namespace identity

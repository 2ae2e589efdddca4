#pragma once
// Digests and their hexadecimal text. Hexadecimal text made here is lower-case,
// two characters per byte, high nibble first; digests are compared as bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/base/hash_algorithm.h"

namespace VaroBase {

using Digest = std::vector<uint8_t>;

// The value of `hash` (16 bytes for MD5): a size query, then the read. Throws
// win_exception as Hash::GetHash does.
Digest GetHashValue(Hash& hash);

// Lower-case hexadecimal MD5 of the text's bytes, over a provider and hash of
// its own. Any thread. Throws win_exception when the MD5 service fails.
std::string DigestText(std::string_view text);

std::string BytesToHex(const Digest& bytes);

// Two characters per byte, (length + 1) / 2 bytes; a missing last character
// counts as zero and any character that is no hexadecimal digit as 0. Never fails.
Digest HexToBytes(std::string_view text);

// Equal lengths and equal bytes.
bool DigestEqual(const Digest& a, const Digest& b);

}  // namespace VaroBase

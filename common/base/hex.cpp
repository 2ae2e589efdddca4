#include "common/base/digest.h"

namespace VaroBase {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

uint8_t NibbleOf(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  return 0;
}

}  // namespace

std::string BytesToHex(const Digest& bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    text += kHexDigits[b >> 4];
    text += kHexDigits[b & 0x0F];
  }
  return text;
}

Digest HexToBytes(std::string_view text) {
  Digest bytes;
  bytes.reserve((text.size() + 1) / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    const uint8_t high = NibbleOf(text[i]);
    const uint8_t low = i + 1 < text.size() ? NibbleOf(text[i + 1]) : 0;
    bytes.push_back(static_cast<uint8_t>((high << 4) | low));
  }
  return bytes;
}

bool DigestEqual(const Digest& a, const Digest& b) { return a == b; }

}  // namespace VaroBase

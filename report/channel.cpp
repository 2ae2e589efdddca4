#include "report/channel.h"

#include <regex>
#include <string>

namespace identity {
namespace {

constexpr char kCheckDigits[] = "0123456789abcdef";
constexpr uint32_t kMaxChannel = 0xFFFF;

uint8_t Crc4(uint8_t r, uint8_t byte) {
  r ^= byte;
  for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? static_cast<uint8_t>((r ^ 0x18) >> 1) : r >> 1;
  return r;
}

// ASCII digits only, at most 65535.
bool ParseChannel(const std::wstring& digits, uint16_t& channel) {
  uint32_t value = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + static_cast<uint32_t>(c - L'0');
    if (value > kMaxChannel) return false;
  }
  channel = static_cast<uint16_t>(value);
  return !digits.empty();
}

}  // namespace

char ChannelCheckChar(uint16_t channel) {
  uint8_t r = Crc4(0, static_cast<uint8_t>(channel & 0xFF));
  r = Crc4(r, static_cast<uint8_t>(channel >> 8));
  return kCheckDigits[r & 0x0F];
}

uint16_t ChannelFromFileName(std::wstring_view fileName) {
  static const std::wregex pattern(L"^.*_b(\\d+)([0-9a-fA-F]).*\\.exe$", std::regex::ECMAScript);
  const std::wstring name(fileName);
  std::wsmatch match;
  if (!std::regex_match(name, match, pattern)) return kDefaultChannel;
  uint16_t channel = 0;
  if (!ParseChannel(match[1].str(), channel)) return kDefaultChannel;
  const std::wstring check = match[2].str();
  return check[0] == static_cast<wchar_t>(ChannelCheckChar(channel)) ? channel : kDefaultChannel;
}

}  // namespace identity

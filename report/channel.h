#pragma once
// The distribution channel number carried by the installer's file name:
// "..._b<decimal number><check character>....exe".
#include <cstdint>
#include <string_view>

namespace identity {

inline constexpr uint16_t kDefaultChannel = 1110;

// The check character of a channel number: "0123456789abcdef"[CRC-4/G-704 of
// its two bytes, low byte first].
char ChannelCheckChar(uint16_t channel);

// The channel number of a file name (no directory): the number when the whole
// name matches ^.*_b(\d+)([0-9a-fA-F]).*\.exe$ (case-sensitive), the number
// fits 16 bits and the check character is right; kDefaultChannel otherwise,
// so a number above 65535 never yields some other channel.
uint16_t ChannelFromFileName(std::wstring_view fileName);

}  // namespace identity

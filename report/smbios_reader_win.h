#pragma once
// The two routes of the Windows SMBIOS reader, exposed for its tests under Wine.
#include <cstdint>
#include <optional>
#include <vector>

namespace identity {

// kernel32's GetSystemFirmwareTable('RSMB', 0), looked up at run time: size
// query, read, and the table after the 8-byte raw header. Nothing when the
// function is missing or a call returns 0.
std::optional<std::vector<uint8_t>> ReadSmbiosFromFirmwareTable();

// MSSMBios_RawSMBiosTables in ROOT\WMI, with COM initialised for the call in
// the multithreaded apartment; fails on a thread that already uses single-threaded COM.
std::optional<std::vector<uint8_t>> ReadSmbiosFromWmi();

}  // namespace identity

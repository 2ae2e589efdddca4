#pragma once
// The Windows version, read from the product version of ntdll.dll.
#include <cstdint>
#include <string>

struct OsVersion {
  uint16_t major = 0, minor = 0, build = 0, revision = 0;
};

// The product version of <Windows directory>\System32\ntdll.dll; false when the
// file or its version resource cannot be read (always, in the Linux build).
bool GetOsVersion(OsVersion& version);

// GetOsVersion succeeded and its major number is above 5. Computed once, on
// first use (thread-safe), and kept for the life of the process.
bool IsVistaOrLater();

namespace identity {
// The Windows directory (GetWindowsDirectoryW); empty in the Linux build.
std::wstring WindowsDirectory();
}  // namespace identity

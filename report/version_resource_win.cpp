#include "report/version_resource.h"

#include <windows.h>

#include <vector>

namespace identity {

std::optional<FixedFileVersion> ReadFixedFileVersion(const std::wstring& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<uint8_t> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  FixedFileVersion version;
  version.fileMS = info->dwFileVersionMS;
  version.fileLS = info->dwFileVersionLS;
  version.productMS = info->dwProductVersionMS;
  version.productLS = info->dwProductVersionLS;
  return version;
}

}  // namespace identity

#include "report/os_version.h"

#include "common/base/path.h"
#include "report/version_resource.h"

bool GetOsVersion(OsVersion& version) {
  std::wstring path = identity::WindowsDirectory();
  if (path.empty() || !base::Append(path, L"System32\\ntdll.dll")) return false;
  const std::optional<identity::FixedFileVersion> fixed = identity::ReadFixedFileVersion(path);
  if (!fixed) return false;
  version.major = static_cast<uint16_t>(fixed->productMS >> 16);
  version.minor = static_cast<uint16_t>(fixed->productMS & 0xFFFF);
  version.build = static_cast<uint16_t>(fixed->productLS >> 16);
  version.revision = static_cast<uint16_t>(fixed->productLS & 0xFFFF);
  return true;
}

bool IsVistaOrLater() {
  static const bool vistaOrLater = [] {
    OsVersion version;
    return GetOsVersion(version) && version.major > 5;
  }();
  return vistaOrLater;
}

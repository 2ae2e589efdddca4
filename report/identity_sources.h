#pragma once
// The sources of the machine identifier, each behind an interface: the real
// ones call the platform (system_identity_sources.h), tests use fixtures.
// Every source is used once, on the thread that collects the identity.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace identity {

struct CpuidRegisters {
  uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

class ICpuid {
 public:
  virtual ~ICpuid() = default;
  // CPUID of `leaf`, sub-leaf 0.
  virtual CpuidRegisters Query(uint32_t leaf) = 0;
};

class INetworkAdapters {
 public:
  virtual ~INetworkAdapters() = default;
  // Device instance identifiers of the present devices of the network adapter
  // setup class, in index order, ending before the first unreadable one.
  virtual std::vector<std::wstring> DeviceInstanceIds() = 0;
  // The NDIS permanent address (OID_802_3_PERMANENT_ADDRESS) of the device at
  // `devicePath`: the bytes returned (at most 8), or nothing when the device
  // cannot be opened or the query fails.
  virtual std::optional<std::vector<uint8_t>> PermanentAddress(const std::wstring& devicePath) = 0;
  // The hardware address of every adapter of the adapter list (GetAdaptersInfo),
  // in list order; an adapter without one gives an empty entry. Empty when the
  // list cannot be read.
  virtual std::vector<std::vector<uint8_t>> ListedAddresses() = 0;
};

class ISmbiosReader {
 public:
  virtual ~ISmbiosReader() = default;
  // The raw SMBIOS structure table (without the 8-byte header), or nothing.
  virtual std::optional<std::vector<uint8_t>> ReadTable() = 0;
};

// The file version words of a version resource's fixed file information.
struct FixedFileVersion {
  uint32_t fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
};

class IProgramFile {
 public:
  virtual ~IProgramFile() = default;
  // Full path of the running executable.
  virtual std::wstring FilePath() = 0;
  // Its version resource, or nothing when it has none.
  virtual std::optional<FixedFileVersion> FileVersion() = 0;
};

class IDigester {
 public:
  virtual ~IDigester() = default;
  // MD5 of the bytes; throws VaroBase::win_exception when the MD5 service fails.
  virtual std::array<uint8_t, 16> Md5(const std::vector<uint8_t>& bytes) = 0;
};

struct IdentitySources {
  IProgramFile& program;
  INetworkAdapters& adapters;
  ICpuid& cpuid;
  ISmbiosReader& smbios;
  IDigester& digester;
};

}  // namespace identity

#include "report/system_identity_sources.h"

#include <cpuid.h>

#include "common/base/file_util.h"
#include "common/base/hash_algorithm.h"
#include "report/version_resource.h"

namespace identity {
namespace {

class SystemCpuid : public ICpuid {
 public:
  CpuidRegisters Query(uint32_t leaf) override {
    CpuidRegisters r;
    __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
    return r;
  }
};

class SystemProgramFile : public IProgramFile {
 public:
  std::wstring FilePath() override { return base::ModuleFilePath(); }
  std::optional<FixedFileVersion> FileVersion() override {
    return ReadFixedFileVersion(base::ModuleFilePath());
  }
};

class SystemDigester : public IDigester {
 public:
  std::array<uint8_t, 16> Md5(const std::vector<uint8_t>& bytes) override {
    VaroBase::HashProv provider;
    provider.AcquireContext();
    VaroBase::Hash hash;
    hash.Create(provider);
    hash.HashData(bytes.data(), static_cast<uint32_t>(bytes.size()));
    std::array<uint8_t, 16> value{};
    uint32_t size = static_cast<uint32_t>(value.size());
    hash.GetHash(value.data(), &size);
    return value;
  }
};

}  // namespace

std::unique_ptr<ICpuid> MakeSystemCpuid() { return std::make_unique<SystemCpuid>(); }
std::unique_ptr<IProgramFile> MakeSystemProgramFile() { return std::make_unique<SystemProgramFile>(); }
std::unique_ptr<IDigester> MakeSystemDigester() { return std::make_unique<SystemDigester>(); }

SystemIdentitySources::SystemIdentitySources()
    : program_(MakeSystemProgramFile()),
      adapters_(MakeSystemNetworkAdapters()),
      cpuid_(MakeSystemCpuid()),
      smbios_(MakeSystemSmbiosReader()),
      digester_(MakeSystemDigester()) {}

}  // namespace identity

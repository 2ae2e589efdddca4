#pragma once
// Test helper: identity sources that return what a test gives them.
#include <map>
#include <stdexcept>

#include "common/base/win_exception.h"
#include "report/identity_sources.h"

namespace identity::fake {

class Adapters : public INetworkAdapters {
 public:
  std::vector<std::wstring> ids;
  std::map<std::wstring, std::vector<uint8_t>> permanent;  // by device path
  std::vector<std::vector<uint8_t>> listed;
  std::vector<std::wstring> queried;  // device paths asked, in order

  std::vector<std::wstring> DeviceInstanceIds() override { return ids; }
  std::optional<std::vector<uint8_t>> PermanentAddress(const std::wstring& path) override {
    queried.push_back(path);
    const auto it = permanent.find(path);
    if (it == permanent.end()) return std::nullopt;
    return it->second;
  }
  std::vector<std::vector<uint8_t>> ListedAddresses() override { return listed; }
};

class Cpuid : public ICpuid {
 public:
  std::map<uint32_t, CpuidRegisters> leaves;
  CpuidRegisters Query(uint32_t leaf) override { return leaves[leaf]; }
};

class Smbios : public ISmbiosReader {
 public:
  std::optional<std::vector<uint8_t>> table;
  int reads = 0;
  std::optional<std::vector<uint8_t>> ReadTable() override {
    ++reads;
    return table;
  }
};

class Program : public IProgramFile {
 public:
  std::wstring path = L"C:\\Users\\me\\Downloads\\QIRASetup.exe";
  std::optional<FixedFileVersion> version;
  std::wstring FilePath() override { return path; }
  std::optional<FixedFileVersion> FileVersion() override { return version; }
};

// Records what it hashed; with `fail` set it throws as a failing CryptoAPI call does.
class Digester : public IDigester {
 public:
  IDigester* real = nullptr;
  bool fail = false;
  std::vector<uint8_t> hashed;
  std::array<uint8_t, 16> Md5(const std::vector<uint8_t>& bytes) override {
    hashed = bytes;
    if (fail)
      throw VaroBase::win_exception(__FILE__, __LINE__, "VaroBase::HashProv::AcquireContext",
                                    L"CryptAcquireContextW failed.", 0x80090016u);
    return real ? real->Md5(bytes) : std::array<uint8_t, 16>{};
  }
};

}  // namespace identity::fake

#include "report/client_info.h"

#include <algorithm>
#include <cstring>

#include "common/base/digest.h"
#include "common/base/path.h"
#include "common/base/win_exception.h"
#include "common/log/log.h"
#include "report/channel.h"
#include "report/client_version.h"
#include "report/identity_buffer.h"
#include "report/system_identity_sources.h"

namespace {

constexpr uint8_t kAppId = 28;

}  // namespace

ClientInfo& ClientInfo::Instance() {
  static ClientInfo instance;
  return instance;
}

bool ClientInfo::Collect() {
  if (initialized_) return true;
  identity::SystemIdentitySources system;
  identity::IdentitySources sources = system.get();
  return Collect(sources);
}

bool ClientInfo::Collect(identity::IdentitySources& sources) {
  if (initialized_) return true;
  appid = kAppId;
  unionid = identity::ChannelFromFileName(base::FindFileName(sources.program.FilePath()));
  clientversion = identity::ClientVersionOf(sources.program.FileVersion());
  identity::FormatVersionText(clientversion, versionText);

  bool hashed = true;
  try {
    const std::vector<uint8_t> buffer =
        identity::BuildIdentityBuffer(sources.adapters, sources.cpuid, sources.smbios);
    const std::array<uint8_t, 16> digest = sources.digester.Md5(buffer);
    std::copy(digest.begin(), digest.end(), machineHash);
    const std::string hex = VaroBase::BytesToHex(VaroBase::Digest(digest.begin(), digest.end()));
    std::memset(pcid, 0, sizeof pcid);
    std::memcpy(pcid, hex.data(), std::min(hex.size(), sizeof pcid - 1));
  } catch (const VaroBase::win_exception& e) {
    // Without a machine identifier the installer still runs; its reports carry an empty pcid.
    PLOG_ERROR << "machine identifier FAIL: " << e.what();
    std::memset(machineHash, 0, sizeof machineHash);
    std::memset(pcid, 0, sizeof pcid);
    hashed = false;
  }
  initialized_ = true;
  return hashed;
}

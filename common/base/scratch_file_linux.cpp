#include "common/base/scratch_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace VaroBase::scratch {

ScratchFile::ScratchFile(uint64_t size, const std::vector<std::pair<uint64_t, uint8_t>>& bytes) {
  const char* dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/varobase-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  path_ = pattern;
  bool ok = ftruncate(fd, static_cast<off_t>(size)) == 0;
  for (const auto& [offset, value] : bytes)
    ok = ok && pwrite(fd, &value, 1, static_cast<off_t>(offset)) == 1;
  close(fd);
  if (!ok) throw std::runtime_error("writing the scratch file failed");
}

ScratchFile::~ScratchFile() { unlink(path_.c_str()); }

OpenFile::OpenFile(const ScratchFile& file, Access access)
    : handle_(open(file.path().c_str(), access == kRead ? O_RDONLY : O_WRONLY)) {}

OpenFile::~OpenFile() {
  if (handle_ >= 0) close(handle_);
}

bool OpenFile::ok() const { return handle_ >= 0; }

}  // namespace VaroBase::scratch

#pragma once
// Test helper: a file in the temporary folder, removed on destruction, and
// handles on it opened read-only or write-only.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/base/native_file.h"

namespace VaroBase::scratch {

class ScratchFile {
 public:
  // `size` bytes, zero except for the given (offset, byte) pairs; the zeros
  // are left sparse where the file system allows it.
  ScratchFile(uint64_t size, const std::vector<std::pair<uint64_t, uint8_t>>& bytes);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// An open handle, closed on destruction.
class OpenFile {
 public:
  enum Access { kRead, kWriteOnly };
  OpenFile(const ScratchFile& file, Access access);
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool ok() const;
  NativeFile get() const { return handle_; }

 private:
  NativeFile handle_;
};

}  // namespace VaroBase::scratch

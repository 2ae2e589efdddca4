#include "common/base/scratch_file.h"

#include <windows.h>
#include <winioctl.h>

#include <stdexcept>

#include "common/base/strings.h"

namespace VaroBase::scratch {
namespace {

bool WriteByteAt(HANDLE file, uint64_t offset, uint8_t value) {
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD written = 0;
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
         WriteFile(file, &value, 1, &written, nullptr) && written == 1;
}

}  // namespace

ScratchFile::ScratchFile(uint64_t size, const std::vector<std::pair<uint64_t, uint8_t>>& bytes) {
  wchar_t dir[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
  if (!GetTempPathW(MAX_PATH, dir) || !GetTempFileNameW(dir, L"vb", 0, name))
    throw std::runtime_error("GetTempFileNameW failed");
  path_ = base::WideToUtf8(name);
  HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("CreateFileW failed");
  DWORD returned = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  for (const auto& [offset, value] : bytes) ok = ok && WriteByteAt(file, offset, value);
  CloseHandle(file);
  if (!ok) throw std::runtime_error("writing the scratch file failed");
}

ScratchFile::~ScratchFile() { DeleteFileW(base::Utf8ToWide(path_).c_str()); }

OpenFile::OpenFile(const ScratchFile& file, Access access)
    : handle_(CreateFileW(base::Utf8ToWide(file.path()).c_str(),
                          access == kRead ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

OpenFile::~OpenFile() {
  if (ok()) CloseHandle(handle_);
}

bool OpenFile::ok() const { return handle_ != INVALID_HANDLE_VALUE; }

}  // namespace VaroBase::scratch

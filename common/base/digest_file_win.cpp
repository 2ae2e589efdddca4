#include "common/base/digest_file_platform.h"

#include <windows.h>

#include <memory>
#include <new>

namespace VaroBase::detail {
namespace {

class MappingHandle {
 public:
  explicit MappingHandle(HANDLE handle) : handle_(handle) {}
  ~MappingHandle() {
    if (handle_) CloseHandle(handle_);
  }
  MappingHandle(const MappingHandle&) = delete;
  MappingHandle& operator=(const MappingHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class MappedView {
 public:
  explicit MappedView(const void* view) : view_(view) {}
  ~MappedView() {
    if (view_) UnmapViewOfFile(view_);
  }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  const void* get() const { return view_; }

 private:
  const void* view_;
};

}  // namespace

bool HashFileByReading(NativeFile file, uint32_t size, Hash& hash) {
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size ? size : 1]);
  if (!buffer) return false;
  DWORD read = 0;
  if (!ReadFile(file, buffer.get(), size, &read, nullptr) || read != size) return false;
  hash.HashData(buffer.get(), size);
  return true;
}

// The mapping is sized to `size`, so a file shorter than that is refused here
// instead of faulting while it is hashed.
bool HashFileByMapping(NativeFile file, uint32_t size, Hash& hash) {
  MappingHandle mapping(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, size, nullptr));
  if (!mapping.get()) return false;
  MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, size));
  if (!view.get()) return false;
  hash.HashData(view.get(), size);
  return true;
}

}  // namespace VaroBase::detail

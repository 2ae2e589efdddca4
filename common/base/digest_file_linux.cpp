#include "common/base/digest_file_platform.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <new>

namespace VaroBase::detail {
namespace {

class MappedView {
 public:
  MappedView(void* view, size_t size) : view_(view), size_(size) {}
  ~MappedView() {
    if (view_ != MAP_FAILED) munmap(view_, size_);
  }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  const void* get() const { return view_ == MAP_FAILED ? nullptr : view_; }

 private:
  void* view_;
  size_t size_;
};

}  // namespace

bool HashFileByReading(NativeFile file, uint32_t size, Hash& hash) {
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size ? size : 1]);
  if (!buffer) return false;
  const ssize_t read = ::read(file, buffer.get(), size);
  if (read < 0 || static_cast<size_t>(read) != size) return false;
  hash.HashData(buffer.get(), size);
  return true;
}

// A view beyond the end of the file would fault when touched, so a file shorter
// than `size` is a mapping failure, as a read-only mapping larger than its file
// is on Windows.
bool HashFileByMapping(NativeFile file, uint32_t size, Hash& hash) {
  struct stat st {};
  if (fstat(file, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < static_cast<off_t>(size))
    return false;
  MappedView view(mmap(nullptr, size, PROT_READ, MAP_SHARED, file, 0), size);
  if (!view.get()) return false;
  madvise(const_cast<void*>(view.get()), size, MADV_SEQUENTIAL);
  hash.HashData(view.get(), size);
  return true;
}

}  // namespace VaroBase::detail

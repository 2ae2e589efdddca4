#include "common/base/digest_file_platform.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>


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

// The read buffer: anonymous memory asking for huge pages, so that the one big
// read does not fault in 4 KiB pages one by one.
class ReadBuffer {
 public:
  explicit ReadBuffer(size_t size)
      : size_(size ? size : 1),
        data_(mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {
    if (data_ != MAP_FAILED) madvise(data_, size_, MADV_HUGEPAGE);
  }
  ~ReadBuffer() {
    if (data_ != MAP_FAILED) munmap(data_, size_);
  }
  ReadBuffer(const ReadBuffer&) = delete;
  ReadBuffer& operator=(const ReadBuffer&) = delete;
  uint8_t* get() const { return data_ == MAP_FAILED ? nullptr : static_cast<uint8_t*>(data_); }

 private:
  size_t size_;
  void* data_;
};

}  // namespace

bool HashFileByReading(NativeFile file, uint32_t size, Hash& hash) {
  ReadBuffer buffer(size);
  if (!buffer.get()) return false;
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

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

#include "common/base/file_util.h"
#include "common/base/strings.h"
#include "common/base/thread_id.h"
#include "common/log/log.h"

namespace plog::detail {

uint32_t CurrentThreadId() { return base::CurrentThreadId(); }

LocalTime Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t secs = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm tm{};
  localtime_r(&secs, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
          static_cast<int>(ms.count())};
}

intptr_t OpenLogFile(const std::wstring& path) {
  const std::string native = base::WideToUtf8(base::NativePath(path));
  const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  // Linux has no share modes: an exclusive lock stands in for "deny write".
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return -1;
  }
  lseek(fd, 0, SEEK_END);
  return fd;
}

bool IsEmptyFile(intptr_t file) {
  struct stat st {};
  return fstat(static_cast<int>(file), &st) == 0 && st.st_size == 0;
}

bool WriteLogFile(intptr_t file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(file), bytes.data(), bytes.size());
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void CloseLogFile(intptr_t file) { close(static_cast<int>(file)); }

}  // namespace plog::detail

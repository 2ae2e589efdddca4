#include "common/base/file_util.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "common/base/strings.h"

namespace base {

std::wstring ModuleFilePath() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
  return n > 0 ? Utf8ToWide(std::string_view(buf, static_cast<size_t>(n))) : std::wstring();
}

bool IsDirectory(const std::wstring& path) {
  struct stat st {};
  return stat(WideToUtf8(NativePath(path)).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::wstring NativePath(const std::wstring& path) {
  std::wstring out = path;
  for (auto& c : out)
    if (c == L'\\') c = L'/';
  return out;
}

}  // namespace base

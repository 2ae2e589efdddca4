#include <windows.h>

#include "common/base/thread_id.h"
#include "common/log/log.h"

namespace plog::detail {

uint32_t CurrentThreadId() { return base::CurrentThreadId(); }

LocalTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

intptr_t OpenLogFile(const std::wstring& path) {
  // Not inheritable; others may read but not write while the file is open.
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, FALSE};
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER zero{};
  SetFilePointerEx(h, zero, nullptr, FILE_END);
  return reinterpret_cast<intptr_t>(h);
}

bool IsEmptyFile(intptr_t file) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(reinterpret_cast<HANDLE>(file), &size) && size.QuadPart == 0;
}

bool WriteLogFile(intptr_t file, std::string_view bytes) {
  DWORD written = 0;
  return WriteFile(reinterpret_cast<HANDLE>(file), bytes.data(), static_cast<DWORD>(bytes.size()),
                   &written, nullptr) &&
         written == bytes.size();
}

void CloseLogFile(intptr_t file) { CloseHandle(reinterpret_cast<HANDLE>(file)); }

}  // namespace plog::detail

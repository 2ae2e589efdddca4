#include "common/base/path.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

namespace base {
namespace {

// The shell path functions write into a MAX_PATH buffer.
std::wstring Buffer(std::wstring_view text) {
  std::wstring buf(text.substr(0, kMaxPath));
  buf.resize(kMaxPath + 1, L'\0');
  return buf;
}

void Trim(std::wstring& buf) { buf.resize(wcslen(buf.c_str())); }

}  // namespace

bool Append(std::wstring& path, std::wstring_view more) {
  std::wstring buf = Buffer(path);
  std::wstring tail(more);
  const bool ok = PathAppendW(buf.data(), tail.c_str()) != FALSE;
  Trim(buf);
  path = std::move(buf);
  return ok;
}

bool Combine(std::wstring& out, std::wstring_view dir, std::wstring_view file) {
  std::wstring buf = Buffer(L"");
  const std::wstring d(dir.substr(0, kMaxPath)), f(file.substr(0, kMaxPath));
  const bool ok = PathCombineW(buf.data(), d.c_str(), f.c_str()) != nullptr;
  if (!ok) buf[0] = L'\0';
  Trim(buf);
  out = std::move(buf);
  return ok;
}

void QuoteSpaces(std::wstring& path) {
  std::wstring buf = Buffer(path);
  PathQuoteSpacesW(buf.data());
  Trim(buf);
  path = std::move(buf);
}

bool StripToRoot(std::wstring& path) {
  std::wstring buf = Buffer(path);
  const bool ok = PathStripToRootW(buf.data()) != FALSE;
  Trim(buf);
  path = std::move(buf);
  return ok;
}

bool RemoveFileSpec(std::wstring& path) {
  std::wstring buf = Buffer(path);
  const bool ok = PathRemoveFileSpecW(buf.data()) != FALSE;
  Trim(buf);
  path = std::move(buf);
  return ok;
}

std::wstring FindFileName(std::wstring_view path) {
  const std::wstring buf(path.substr(0, kMaxPath));
  return PathFindFileNameW(buf.c_str());
}

}  // namespace base

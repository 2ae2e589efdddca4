#include "common/base/path.h"

#include <vector>

// Same algorithms as the Windows shell path functions, over std::wstring, with
// '/' accepted wherever '\' is.
namespace base {
namespace {

bool IsSep(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring Cut(std::wstring_view text) { return std::wstring(text.substr(0, kMaxPath)); }

bool IsUnc(std::wstring_view p) { return p.size() >= 2 && IsSep(p[0]) && IsSep(p[1]); }

bool IsRelative(std::wstring_view p) {
  if (p.empty()) return true;
  return !(IsSep(p[0]) || (p.size() >= 2 && p[1] == L':'));
}

bool IsRoot(std::wstring_view p) {
  if (p.empty()) return false;
  if (IsSep(p[0])) {
    if (p.size() == 1) return true;
    if (IsSep(p[1])) {  // "\\server" or "\\server\share"
      int seps = 0;
      for (size_t i = 2; i < p.size(); ++i)
        if (IsSep(p[i]) && ++seps > 1) return false;
      return true;
    }
    return false;
  }
  return p.size() == 3 && p[1] == L':' && IsSep(p[2]);
}

wchar_t SeparatorOf(std::wstring_view p) {
  for (wchar_t c : p)
    if (IsSep(c)) return c;
  return L'\\';
}

bool RemoveSpec(std::wstring& path) {
  size_t i = 0, spec = 0;
  if (i < path.size() && IsSep(path[i])) spec = ++i;
  if (i < path.size() && IsSep(path[i])) spec = ++i;
  while (i < path.size()) {
    if (IsSep(path[i])) {
      spec = i;
    } else if (path[i] == L':') {
      spec = ++i;
      if (i < path.size() && IsSep(path[i])) ++spec;
      if (i >= path.size()) break;
    }
    ++i;
  }
  if (spec < path.size()) {
    path.resize(spec);
    return true;
  }
  return false;
}

// PathCanonicalizeW: resolves "." and ".." components; never climbs above the
// root, which for a UNC path includes the server name. A bare drive gains its
// separator ("C:" -> "C:\\").
std::wstring Canonicalize(const std::wstring& in) {
  if (in.empty()) return std::wstring(1, L'\\');
  if (in.size() == 2 && in[1] == L':') return in + L'\\';
  const wchar_t sep = SeparatorOf(in);
  size_t rootLen = 0, start = 0;
  if (IsUnc(in)) {
    rootLen = 2;
    while (rootLen < in.size() && !IsSep(in[rootLen])) ++rootLen;
    start = rootLen < in.size() ? rootLen + 1 : rootLen;
  } else {
    if (in.size() >= 2 && in[1] == L':') rootLen = (in.size() >= 3 && IsSep(in[2])) ? 3 : 2;
    else if (IsSep(in[0])) rootLen = 1;
    start = rootLen;
  }
  std::vector<std::wstring> parts;
  std::wstring cur;
  auto flush = [&](bool final) {
    if (cur == L".") {
    } else if (cur == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!cur.empty() || !final) {
      parts.push_back(cur);
    }
    cur.clear();
  };
  for (size_t i = start; i < in.size(); ++i) {
    if (IsSep(in[i])) flush(false);
    else cur += in[i];
  }
  const bool trailing = in.size() > start && IsSep(in.back());
  flush(true);
  std::wstring out = in.substr(0, rootLen);
  if (start > rootLen && !parts.empty()) out += in[rootLen];
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += sep;
    out += parts[k];
  }
  if (trailing && !parts.empty()) out += sep;
  return out;
}

}  // namespace

bool Combine(std::wstring& out, std::wstring_view dirIn, std::wstring_view fileIn) {
  const std::wstring dir = Cut(dirIn), file = Cut(fileIn);
  std::wstring temp;
  // Results hold at most 259 characters: the buffer's last one is the terminator.
  if (file.empty()) {
    temp = dir.substr(0, kMaxPath - 1);
  } else if (dir.empty() || !IsRelative(file)) {
    if (dir.empty() || !IsSep(file[0]) || IsUnc(file)) {
      temp = file.substr(0, kMaxPath - 1);
    } else {  // "\x" on a directory: the directory's root, then x
      temp = dir;
      StripToRoot(temp);
      std::wstring rest = file.substr(1);
      if (!Append(temp, rest)) {
        out.clear();
        return false;
      }
      out = temp;
      return true;
    }
  } else {
    temp = dir;
    if (!temp.empty() && !IsSep(temp.back())) temp += SeparatorOf(dir);
    if (temp.size() + file.size() >= kMaxPath) {
      out.clear();
      return false;
    }
    temp += file;
  }
  out = Canonicalize(temp);
  return true;
}

bool Append(std::wstring& path, std::wstring_view moreIn) {
  std::wstring_view more = moreIn;
  if (!IsUnc(more))
    while (!more.empty() && IsSep(more.front())) more.remove_prefix(1);
  std::wstring out;
  const bool ok = Combine(out, path, more);
  path = std::move(out);
  return ok;
}

void QuoteSpaces(std::wstring& path) {
  path = Cut(path);
  if (path.find(L' ') != std::wstring::npos && path.size() + 3 < kMaxPath) path = L'"' + path + L'"';
}

bool StripToRoot(std::wstring& path) {
  path = Cut(path);
  while (!IsRoot(path))
    if (!RemoveSpec(path)) return false;
  return true;
}

bool RemoveFileSpec(std::wstring& path) {
  path = Cut(path);
  return RemoveSpec(path);
}

std::wstring FindFileName(std::wstring_view pathIn) {
  const std::wstring path = Cut(pathIn);
  size_t last = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if ((IsSep(path[i]) || path[i] == L':') && i + 1 < path.size() && !IsSep(path[i + 1]))
      last = i + 1;
  }
  return path.substr(last);
}

}  // namespace base

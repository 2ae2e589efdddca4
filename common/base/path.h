#pragma once
// Path operations on wide-string paths. Each works on a 260-character buffer
// (longer input is cut to 260), applies the shell path function of the same name
// (PathAppendW, PathCombineW, ...) in place and trims at the first zero.
// The Linux build gives the same results for Windows-style paths and also takes
// '/' as a separator, so that logic using them is testable there.
#include <string>
#include <string_view>

namespace base {

inline constexpr size_t kMaxPath = 260;

// Appends `more` to `path` with one separator between; false when the result
// would not fit (path is then left empty, as PathCombineW leaves its buffer).
bool Append(std::wstring& path, std::wstring_view more);
// `out` = `dir` combined with `file`, canonicalised ("." and ".." resolved).
bool Combine(std::wstring& out, std::wstring_view dir, std::wstring_view file);
// Wraps the path in double quotes when it contains a space.
void QuoteSpaces(std::wstring& path);
// Reduces the path to its root ("C:\", "\\server\share", "\").
bool StripToRoot(std::wstring& path);
// Removes the last component and its separator ("C:\a\b.exe" -> "C:\a").
bool RemoveFileSpec(std::wstring& path);
// The last component ("C:\a\b.exe" -> "b.exe").
std::wstring FindFileName(std::wstring_view path);

}  // namespace base

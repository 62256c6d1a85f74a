#pragma once
// Windows path texts, without asking the file system: the one spelling of a path that the batch keeps
// (quotes, separators, "." and "..", the \\?\ forms and the trailing dots and spaces that Windows drops
// all taken out), joining, and the path below its drive or share. Every caller that has to tell whether
// two names mean the same file starts from normalizedPath; PathIdentity adds what only the file system
// can tell (network drives, the file's own identity).
#include <string>
#include <string_view>

namespace korvane {

// The full path a spelling stands for, taken from `base` (a full folder path) when it is relative:
// "\\server\share\a\b.dft" or "C:\a\b.dft" (drive letter upper-cased), no separator at the end but
// for a drive's root ("C:\"). "" when the spelling names no path (empty, relative without a base,
// "\\server" without a share).
std::wstring normalizedPath(std::wstring_view spelling, std::wstring_view base = {});

// "\\server\share" or "C:" of a normalized path.
std::wstring rootOf(std::wstring_view normalized);

// The path below its drive or share: "Y:\a\b.dft" -> "Y\a\b.dft", "\\srv\share\a.dft" -> "srv\share\a.dft".
std::wstring pathBelowRoot(const std::wstring& path);

// A path joined to a folder with exactly one backslash between.
std::wstring joinPath(const std::wstring& folder, const std::wstring& name);

// Whether `path` is `folder` itself or lies below it; both normalized and compared as given (callers
// compare case-folded keys).
bool isWithinFolder(std::wstring_view path, std::wstring_view folder);

}  // namespace korvane

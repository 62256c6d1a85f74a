#include "files/PathText.h"

#include <vector>

namespace korvane {

namespace {

constexpr std::wstring_view kBlanks = L" \t\r\n";

std::wstring_view trimmedView(std::wstring_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != prefix[i]) return false;
    }
    return true;
}

bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

struct Split {
    std::wstring root;  // "\\server\share" or "C:"; empty for a relative spelling
    std::wstring rest;  // below the root, separators as given
    bool rootRelative = false;  // "\a" (the base's root) or "C:a" (the drive's current folder)
};

// The \\?\ and \\.\ forms name the same files as the plain spelling.
std::wstring withoutDevicePrefix(std::wstring text) {
    if (startsWith(text, L"\\\\?\\UNC\\") || startsWith(text, L"\\\\.\\UNC\\")) return L"\\\\" + text.substr(8);
    if ((startsWith(text, L"\\\\?\\") || startsWith(text, L"\\\\.\\")) && text.size() >= 6 && text[5] == L':')
        return text.substr(4);
    return text;
}

bool split(const std::wstring& text, Split& out) {
    if (text.size() >= 2 && text[0] == L'\\' && text[1] == L'\\') {
        const size_t serverEnd = text.find(L'\\', 2);
        if (serverEnd == std::wstring::npos || serverEnd == 2) return false;
        size_t shareEnd = text.find(L'\\', serverEnd + 1);
        if (shareEnd == std::wstring::npos) shareEnd = text.size();
        if (shareEnd == serverEnd + 1) return false;
        out.root = text.substr(0, shareEnd);
        out.rest = text.substr(shareEnd);
        return true;
    }
    if (text.size() >= 2 && text[1] == L':' && isLetter(text[0])) {
        out.root = {upper(text[0]), L':'};
        out.rest = text.substr(2);
        out.rootRelative = out.rest.empty() || out.rest[0] != L'\\';
        return true;
    }
    out.rest = text;
    out.rootRelative = !text.empty() && text[0] == L'\\';
    return true;
}

// Windows drops trailing dots and spaces of a name ("Welle.dft. " is "Welle.dft").
std::wstring withoutTrailingDotsAndSpaces(std::wstring name) {
    if (name == L"." || name == L"..") return name;
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    return name;
}

void appendParts(std::vector<std::wstring>& parts, std::wstring_view rest) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos) end = rest.size();
        const std::wstring part = withoutTrailingDotsAndSpaces(std::wstring(rest.substr(start, end - start)));
        start = end + 1;
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();  // never above the root, as Windows resolves it
            continue;
        }
        parts.push_back(part);
    }
}

}  // namespace

std::wstring normalizedPath(std::wstring_view spelling, std::wstring_view base) {
    std::wstring_view body = trimmedView(spelling);
    if (body.size() >= 2 && body.front() == L'"' && body.back() == L'"') body = trimmedView(body.substr(1, body.size() - 2));
    std::wstring text(body);
    for (wchar_t& c : text)
        if (c == L'/') c = L'\\';
    text = withoutDevicePrefix(std::move(text));
    if (text.empty()) return L"";

    Split path;
    if (!split(text, path)) return L"";
    std::vector<std::wstring> parts;
    if (path.root.empty() || path.rootRelative) {
        // Relative spellings need a base; a drive-relative one on another drive starts at that drive's root.
        const std::wstring baseText = base.empty() ? std::wstring() : normalizedPath(base);
        Split from;
        const bool sameRoot = !baseText.empty() && split(baseText, from) && (path.root.empty() || path.root == from.root);
        if (path.root.empty()) {
            if (!sameRoot) return L"";
            path.root = from.root;
        }
        const bool fromRoot = !path.rest.empty() && path.rest[0] == L'\\';
        if (sameRoot && !fromRoot) appendParts(parts, from.rest);
    }
    appendParts(parts, path.rest);
    std::wstring out = path.root;
    for (const std::wstring& part : parts) out += L"\\" + part;
    if (parts.empty() && out.size() == 2) out += L'\\';  // "C:\"
    return out;
}

std::wstring rootOf(std::wstring_view normalized) {
    Split path;
    if (!split(std::wstring(normalized), path)) return L"";
    return path.root;
}

std::wstring pathBelowRoot(const std::wstring& path) {
    if (path.rfind(L"\\\\", 0) == 0) return path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return path.substr(0, 1) + path.substr(2);
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 1) + L"\\" + path.substr(2);
    return path;
}

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

bool isWithinFolder(std::wstring_view path, std::wstring_view folder) {
    if (folder.empty() || path.size() < folder.size() || path.substr(0, folder.size()) != folder) return false;
    return path.size() == folder.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

}  // namespace korvane

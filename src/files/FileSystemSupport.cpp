#include "files/FileSystemSupport.h"

#include <cstdint>

namespace korvane {

namespace {

bool isAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Days from 1 March of year 0 based arithmetic (proleptic Gregorian), relative to 1970-01-01.
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::wstring driveNameOf(std::wstring_view path) {
    if (path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == L':') return std::wstring(path.substr(0, 2));
    if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\') {
        const size_t serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring_view::npos || serverEnd == 2) return {};
        size_t shareEnd = path.find(L'\\', serverEnd + 1);
        if (shareEnd == std::wstring_view::npos) shareEnd = path.size();
        if (shareEnd == serverEnd + 1) return {};
        return std::wstring(path.substr(0, shareEnd));
    }
    return {};
}

bool hasWildcards(std::wstring_view path) {
    const size_t separator = path.find_last_of(L"\\/");
    const std::wstring_view last = separator == std::wstring_view::npos ? path : path.substr(separator + 1);
    return last.find_first_of(L"*?") != std::wstring_view::npos;
}

bool endsWithSeparator(std::wstring_view path) { return !path.empty() && (path.back() == L'\\' || path.back() == L'/'); }

std::wstring intoFolder(std::wstring_view folder, std::wstring_view file) {
    const size_t separator = file.find_last_of(L"\\/");
    const std::wstring_view name = separator == std::wstring_view::npos ? file : file.substr(separator + 1);
    std::wstring target(folder);
    if (!endsWithSeparator(folder)) target += L'\\';
    target += name;
    return target;
}

AutomationDate automationDateOf(int year, int month, int day, int hour, int minute, int second) {
    // Day 0 of the automation date is 30 December 1899.
    const int64_t days = daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return AutomationDate{static_cast<double>(days) + fraction};
}

}  // namespace korvane

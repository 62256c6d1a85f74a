#include "batch/Progress.h"

#include <map>

#include "batch/TextColumns.h"

namespace korvane {

namespace {

std::wstring padLeft(const std::wstring& text, size_t width) {
    return text.size() >= width ? text : std::wstring(width - text.size(), L' ') + text;
}

std::wstring two(long long value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }

}  // namespace

std::wstring clockText(std::chrono::seconds duration) {
    const long long total = duration.count() < 0 ? 0 : duration.count();
    const long long hours = total / 3600;
    const long long minutes = (total / 60) % 60;
    const long long seconds = total % 60;
    if (hours > 0) return std::to_wstring(hours) + L":" + two(minutes) + L":" + two(seconds);
    return two(minutes) + L":" + two(seconds);
}

std::wstring fitPath(const std::wstring& path, size_t columns) {
    if (columnsOf(path) <= columns) return path;
    const std::wstring ellipsis = L"…";
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring tail = slash == std::wstring::npos ? path : path.substr(slash);
    if (slash == std::wstring::npos || columnsOf(tail) + 1 > columns) {
        if (columns == 0) return L"";
        const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
        return ellipsis + trailingColumns(name, columns - 1);
    }
    const size_t room = columns - columnsOf(tail) - 1;
    size_t kept = 0;
    for (size_t end = path.find_first_of(L"\\/"); end < slash; end = path.find_first_of(L"\\/", end + 1)) {
        if (columnsOf(path.substr(0, end + 1)) > room) break;
        kept = end + 1;
    }
    return path.substr(0, kept) + ellipsis + tail;
}

std::wstring progressLine(size_t current, size_t total, size_t finished, size_t worked,
                          std::chrono::milliseconds elapsed, const std::wstring& relativePath, size_t columns) {
    const std::wstring totalText = std::to_wstring(total);
    const size_t percent = total == 0 ? 100 : finished * 100 / total;
    std::wstring remaining = L"--:--";
    if (worked > 0 && total >= finished) {
        const auto perDrawing = elapsed / static_cast<long long>(worked);
        remaining = clockText(std::chrono::duration_cast<std::chrono::seconds>(
            perDrawing * static_cast<long long>(total - finished)));
    }
    const std::wstring head = L"[" + padLeft(std::to_wstring(current), totalText.size()) + L"/" + totalText + L"] " +
                              padLeft(std::to_wstring(percent), 3) + L" %  noch " + remaining + L"  ";
    if (columns == 0) return head + relativePath;
    const size_t used = columnsOf(head);
    return head + fitPath(relativePath, columns > used ? columns - used : 0);
}

std::wstring summaryText(const std::vector<DrawingResult>& results, std::chrono::milliseconds elapsed, bool probe,
                         bool interrupted, size_t repeats) {
    size_t exchanged = 0, partly = 0, skipped = 0, failed = 0, probed = 0;
    std::map<std::wstring, size_t> reasons;
    for (const DrawingResult& r : results) {
        switch (r.outcome) {
        case Outcome::Exchanged: ++exchanged; break;
        case Outcome::PartlyExchanged: ++partly; break;
        case Outcome::Skipped:
        case Outcome::Cancelled:
            ++skipped;
            ++reasons[r.errorText];
            break;
        case Outcome::Failed:
        case Outcome::InProgress:
        case Outcome::Missing: ++failed; break;
        case Outcome::Probed: ++probed; break;
        }
    }
    const auto row = [](const std::wstring& label, size_t n) {
        // Labels are short; the counts line up in one column.
        return L"  " + label + padLeft(std::to_wstring(n), label.size() < 30 ? 30 - label.size() : 1) + L"\r\n";
    };
    std::wstring text = interrupted ? L"Abgebrochen nach " : L"Fertig: ";
    text += std::to_wstring(results.size()) + (results.size() == 1 ? L" Zeichnung in " : L" Zeichnungen in ") +
            clockText(std::chrono::duration_cast<std::chrono::seconds>(elapsed)) + L"\r\n";
    if (probe) text += row(L"geprüft (nichts geändert):", probed);
    else {
        text += row(L"getauscht:", exchanged);
        text += row(L"teilweise getauscht:", partly);
        if (partly > 0) text += L"    (die Vorlage hat kein Blatt ihrer Größe)\r\n";
    }
    text += row(L"übersprungen:", skipped);
    for (const auto& [reason, n] : reasons) text += L"    " + reason + L": " + std::to_wstring(n) + L"\r\n";
    text += row(L"fehlgeschlagen:", failed);
    // Spellings of a drawing the folders and the list named before: worked on once, counted here.
    if (repeats > 0) text += row(L"doppelt genannt:", repeats);
    return text;
}

}  // namespace korvane

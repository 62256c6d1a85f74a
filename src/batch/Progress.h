#pragma once
// The progress line and the closing summary of the batch.
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "batch/DrawingResult.h"

namespace korvane {

// "[  37/1200]   3 %  noch 04:12  Konstruktion\Welle.dft": the drawing about to be worked on (from 1),
// the share of drawings finished, the time still needed and the drawing's path relative to its
// folder. `finished` counts also what a resumed run passes over as done earlier; the time left is
// reckoned from the `worked` drawings this run took in `elapsed` ("--:--" before the first of them),
// since passing over costs nothing. With `columns` (0: no limit) the path is shortened in its middle
// to fit: the line's end is the file name, which matters most.
std::wstring progressLine(size_t current, size_t total, size_t finished, size_t worked,
                          std::chrono::milliseconds elapsed, const std::wstring& relativePath, size_t columns = 0);
// For a run that carries nothing over: every finished drawing was worked on in it.
inline std::wstring progressLine(size_t current, size_t total, size_t finished, std::chrono::milliseconds elapsed,
                                 const std::wstring& relativePath) {
    return progressLine(current, total, finished, finished, elapsed, relativePath);
}

// The path in at most that many columns: whole folders from its start as far as they fit, "…" for the
// rest and the file name ("Konstruktion\…\Welle.dft"); only a file name too long for the columns by
// itself loses its start.
std::wstring fitPath(const std::wstring& path, size_t columns);

// "mm:ss", or "h:mm:ss" from one hour on.
std::wstring clockText(std::chrono::seconds duration);

// The German summary: how many were exchanged, partly exchanged, skipped (and why), failed; CR LF lines.
std::wstring summaryText(const std::vector<DrawingResult>& results, std::chrono::milliseconds elapsed, bool probe,
                         bool interrupted, size_t repeats = 0);

}  // namespace korvane

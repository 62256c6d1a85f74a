#pragma once
// The progress line and the closing summary of the batch.
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "batch/DrawingResult.h"

namespace korvane {

// "[ 37/1200]  3 %  noch 04:12  Konstruktion\Welle.dft": the drawing about to be worked on (from 1),
// the share of drawings finished, the time still needed at the speed so far ("--:--" before the
// first drawing is finished) and the drawing's path relative to its folder.
std::wstring progressLine(size_t current, size_t total, size_t finished, std::chrono::milliseconds elapsed,
                          const std::wstring& relativePath);

// "mm:ss", or "h:mm:ss" from one hour on.
std::wstring clockText(std::chrono::seconds duration);

// The German summary: how many were exchanged, partly exchanged, skipped (and why), failed; CR LF lines.
std::wstring summaryText(const std::vector<DrawingResult>& results, std::chrono::milliseconds elapsed, bool probe,
                         bool interrupted, size_t repeats = 0);

}  // namespace korvane

#pragma once
// How the document services compare an open document with a wanted file: both names in UNC form.
#include <optional>
#include <string>

#include "automation/Variant.h"
#include "files/clsFileString.h"

namespace korvane {

// The UNC form of an open document's full name, or nothing when the name has none: an unsaved
// document's empty name (which the conversion rejects outright) or a relative one must not stop a
// search through the open documents, it just cannot be the document searched for. Any other
// failure travels on.
std::optional<std::wstring> uncNameOfDocument(clsFileString& files, const Variant& fullName);

// A document without a UNC name matches nothing, so an unconvertible wanted name (empty after
// conversion) can never hit the unsaved documents either.
inline bool sameDocument(const std::wstring& wantedUnc, const std::optional<std::wstring>& documentUnc) {
    return documentUnc.has_value() && *documentUnc == wantedUnc;
}

}  // namespace korvane

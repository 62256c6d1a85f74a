#pragma once
// How the document services find an open document of a wanted file: both names in UNC form.
#include <cstdint>
#include <optional>
#include <string>

#include "automation/Dispatch.h"
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

// The first of the documents at positions 1 to count with the wanted UNC name and type; name and
// type are read for every document on the way. Nothing when none matches.
Object firstOpenDocument(clsFileString& files, const Object& documents, int32_t count, const std::wstring& wantedUnc,
                         int32_t type);

// Opens a file through the documents collection, which takes the name by reference: the caller's
// text stays as it was whatever the application writes back.
Variant openDocument(const Object& documents, const std::wstring& name);

}  // namespace korvane

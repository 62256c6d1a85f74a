#include "drawing/Templates.h"

#include "automation/TextConvert.h"

#ifndef KORVANE_FILE_SERVER
#define KORVANE_FILE_SERVER "fileserver"
#endif

namespace korvane {

namespace {

constexpr wchar_t kShare[] = L"\\daten\\Admin\\Vorlagen\\SeV12\\";
constexpr wchar_t kVorlageNormal[] = L"normal.dft";
constexpr wchar_t kVorlageEngChin[] = L"EngChinNormal.dft";

}  // namespace

std::wstring templateDirectory() { return L"\\\\" + fromUtf8(KORVANE_FILE_SERVER) + kShare; }

std::wstring templateFile(int32_t choice) {
    return templateDirectory() + (choice == 1 ? kVorlageEngChin : kVorlageNormal);
}

bool templatesPresent(clsFileString& files) {
    return files.existiertDatei(templateFile(0)) && files.existiertDatei(templateFile(1));
}

}  // namespace korvane

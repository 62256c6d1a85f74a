// Every pure path function of the file service on arbitrary text: no crash, no undefined
// behaviour, and the pieces put together give the whole again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzInput.h"
#include "automation/AutomationError.h"
#include "files/clsFileString.h"
#include "files/posix/PosixFileSystem.h"

using namespace korvane;

namespace {

clsFileString& service() {
    // No host folder is ever touched: only the drive table is consulted by the conversions.
    static clsFileString fs(std::make_shared<PosixFileSystem>(PosixFileSystem::Config{
        {{L'C', DriveType::Fixed, "/nonexistent-c", L""},
         {L'Y', DriveType::Network, "/nonexistent-y", L"\\\\srv\\share"},
         {L'Z', DriveType::Network, "/nonexistent-z", L"\\\\srv\\share"}},
        {{L"\\\\srv\\share", "/nonexistent-share"}},
        L"C:\\Temp",
        L""}));
    return fs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring s = fuzzText(data, size);
    clsFileString& f = service();

    const std::wstring folder = f.ermittleVerzeichnis(s);
    const std::wstring name = f.ermittleDateiName(s);
    const std::wstring shortName = f.ermittleKurzenDateiName(s);
    const std::wstring extension = f.ermittleErweiterung(s);
    const std::wstring withoutExtension = f.ermittleLangerDateiNameOhneErweiterung(s);

    FUZZ_CHECK(s.ends_with(name) && name.find(L'\\') == std::wstring::npos);
    if (s.find(L'\\') != std::wstring::npos)
        FUZZ_CHECK(folder + L"\\" + name == s);
    else
        FUZZ_CHECK(folder.empty() && name == s);
    FUZZ_CHECK(name.starts_with(shortName) && name.ends_with(extension));
    if (name.find(L'.') != std::wstring::npos)
        FUZZ_CHECK(shortName + L"." + extension == name);
    else
        FUZZ_CHECK(shortName == name && extension.empty());
    FUZZ_CHECK(withoutExtension == folder + L"\\" + shortName);

    const std::wstring unc = f.ermittleUNCundLangerDateiName(s);
    if (s.size() < 2 || s[1] != L':') FUZZ_CHECK(unc == s);

    try {
        const std::wstring converted = f.convertNachUNC(Variant(s));
        FUZZ_CHECK(s.size() >= 2);
        if (s.starts_with(L"\\\\")) FUZZ_CHECK(converted == s);
        if (!converted.empty()) FUZZ_CHECK(converted.ends_with(s.substr(2)));
    } catch (const AutomationError& e) {
        FUZZ_CHECK(e.number() == rt::InvalidArgument && s.size() < 2);
    }

    try {
        const std::wstring unquoted = f.entferneAnfuehrungsZeichen(s).toText();
        if (s.empty() || s[0] != L'"')
            FUZZ_CHECK(unquoted == s);
        else
            FUZZ_CHECK(unquoted.size() + 2 == s.size());
    } catch (const AutomationError& e) {
        FUZZ_CHECK(e.number() == rt::InvalidArgument && s == L"\"");
    }

    const std::wstring back = f.ermittleLaufwerkUndLangenDateiNamen(s);
    if (back != s) FUZZ_CHECK(back.size() >= 2 && back[1] == L':');
    return 0;
}

#include "batch/ReportCsv.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "automation/TextConvert.h"

namespace korvane {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr wchar_t kSeparator = L';';

std::wstring field(const std::wstring& text) {
    if (text.find_first_of(L";\"\r\n") == std::wstring::npos) return text;
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'"') quoted += L'"';
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::wstring out = fromUtf8(text);
    for (wchar_t& c : out)
        if (c == L'.') c = L',';
    return out;
}

double parseSeconds(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L',') c = L'.';
    return std::strtod(toUtf8(text).c_str(), nullptr);
}

// Splits the text into records of fields; quoted fields may hold separators and line breaks.
std::vector<std::vector<std::wstring>> records(const std::wstring& text) {
    std::vector<std::vector<std::wstring>> out;
    std::vector<std::wstring> record;
    std::wstring current;
    bool quoted = false;
    bool any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (quoted) {
            if (c == L'"' && i + 1 < text.size() && text[i + 1] == L'"') {
                current += L'"';
                ++i;
            } else if (c == L'"') {
                quoted = false;
            } else {
                current += c;
            }
            continue;
        }
        if (c == L'"') {
            quoted = true;
            any = true;
        } else if (c == kSeparator) {
            record.push_back(std::move(current));
            current.clear();
            any = true;
        } else if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            if (any || !current.empty()) {
                record.push_back(std::move(current));
                out.push_back(std::move(record));
            }
            record.clear();
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any || !current.empty()) {
        record.push_back(std::move(current));
        out.push_back(std::move(record));
    }
    return out;
}

}  // namespace

std::wstring outcomeText(Outcome outcome) {
    switch (outcome) {
    case Outcome::Exchanged: return L"getauscht";
    case Outcome::PartlyExchanged: return L"teilweise getauscht";
    case Outcome::Skipped:
    case Outcome::Cancelled: return L"übersprungen";
    case Outcome::Failed: return L"fehlgeschlagen";
    case Outcome::Probed: return L"Probe";
    case Outcome::InProgress: return L"in Arbeit";
    case Outcome::Missing: return L"fehlt";
    }
    return L"";
}

bool outcomeFromText(const std::wstring& text, Outcome& outcome) {
    for (Outcome o : {Outcome::Exchanged, Outcome::PartlyExchanged, Outcome::Skipped, Outcome::Failed,
                      Outcome::Probed, Outcome::InProgress, Outcome::Missing}) {
        if (outcomeText(o) == text) {
            outcome = o;
            return true;
        }
    }
    return false;
}

namespace {

constexpr wchar_t kMagic[] = L"korvane-stapel-Bericht";
constexpr wchar_t kVersion[] = L"1";
constexpr wchar_t kColumns[] = L"Pfad;Ergebnis;Blätter getauscht;Blätter ohne Partner;Eigenschaften angelegt;"
                               L"Fehlernummer;Fehlertext;Sicherung;Dauer (s)";

namespace run {
constexpr wchar_t Folder[] = L"Ordner";
constexpr wchar_t Subfolders[] = L"Unterordner";
constexpr wchar_t List[] = L"Liste";
constexpr wchar_t Template[] = L"Vorlage";
constexpr wchar_t Probe[] = L"Probe";
constexpr wchar_t Backup[] = L"Sicherung";
constexpr wchar_t TemplateOpened[] = L"Vorlage vom Stapel geöffnet";
constexpr wchar_t Active[] = L"Aktives Dokument";
constexpr wchar_t Alerts[] = L"Meldungen von Solid Edge";
constexpr wchar_t Part[] = L"Teil";
}  // namespace run

std::wstring line(const std::wstring& name, const std::wstring& value) {
    return field(name) + kSeparator + field(value) + L"\r\n";
}

std::wstring yesNo(bool value) { return value ? L"ja" : L"nein"; }
std::wstring onOff(bool value) { return value ? L"an" : L"aus"; }

}  // namespace

std::string reportHead(const RunRecord& r) {
    std::wstring text = std::wstring(kMagic) + kSeparator + kVersion + L"\r\n";
    for (const std::wstring& folder : r.folders) text += line(run::Folder, folder);
    text += line(run::Subfolders, yesNo(r.subfolders));
    if (!r.listFile.empty()) text += line(run::List, r.listFile);
    text += line(run::Template, r.templatePath);
    text += line(run::Probe, yesNo(r.probe));
    if (!r.backupFolder.empty()) text += line(run::Backup, r.backupFolder);
    text += line(run::TemplateOpened, yesNo(r.templateOpenedByBatch));
    if (!r.activeDocument.empty()) text += line(run::Active, r.activeDocument);
    if (r.alerts) text += line(run::Alerts, onOff(*r.alerts));
    // A whole run writes no part, so that its report reads as every report before parts did.
    if (!r.part.whole()) text += line(run::Part, r.part.text());
    text += std::wstring(kColumns) + L"\r\n";
    return kBom + toUtf8(text);
}

std::string reportRow(const DrawingResult& r) {
    const std::wstring line = field(r.path) + kSeparator + field(outcomeText(r.outcome)) + kSeparator +
                              field(r.exchanged) + kSeparator + field(r.withoutPartner) + kSeparator +
                              std::to_wstring(r.propertiesAdded) + kSeparator +
                              (r.errorNumber ? std::to_wstring(r.errorNumber) : L"") + kSeparator +
                              field(r.errorText) + kSeparator + field(r.backup) + kSeparator + seconds(r.seconds) +
                              L"\r\n";
    return toUtf8(line);
}

std::string reportText(const RunRecord& run, const std::vector<DrawingResult>& results) {
    std::string text = reportHead(run);
    for (const DrawingResult& r : results) text += reportRow(r);
    return text;
}

std::optional<Report> readReport(const std::string& bytes) {
    std::wstring text = fromUtf8(bytes);
    if (!text.empty() && text[0] == L'\xFEFF') text.erase(0, 1);
    // A killed run may have left half a row at the end; every whole row ends with its line break.
    if (!text.empty() && text.back() != L'\n') {
        const size_t lastBreak = text.find_last_of(L'\n');
        text.erase(lastBreak == std::wstring::npos ? 0 : lastBreak + 1);
    }
    const auto all = records(text);
    if (all.empty() || all[0].size() != 2 || all[0][0] != kMagic || all[0][1] != kVersion) return std::nullopt;
    Report report;
    size_t i = 1;
    bool header = false;
    for (; i < all.size() && !header; ++i) {
        const auto& f = all[i];
        if (f.size() == 9 && f[0] == L"Pfad" && f[1] == L"Ergebnis") {
            header = true;
        } else if (f.size() == 2) {
            const std::wstring& name = f[0];
            const std::wstring& value = f[1];
            RunRecord& r = report.run;
            if (name == run::Folder) r.folders.push_back(value);
            else if (name == run::Subfolders) r.subfolders = value == L"ja";
            else if (name == run::List) r.listFile = value;
            else if (name == run::Template) r.templatePath = value;
            else if (name == run::Probe) r.probe = value == L"ja";
            else if (name == run::Backup) r.backupFolder = value;
            else if (name == run::TemplateOpened) r.templateOpenedByBatch = value == L"ja";
            else if (name == run::Active) r.activeDocument = value;
            else if (name == run::Alerts && (value == onOff(true) || value == onOff(false))) r.alerts = value == onOff(true);
            else if (name == run::Part) {
                const auto part = parseWorkPart(value);
                if (!part) return std::nullopt;
                r.part = *part;
            }
            else return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!header) return std::nullopt;
    std::map<std::wstring, size_t> positionOf;
    for (; i < all.size(); ++i) {
        const auto& f = all[i];
        DrawingResult r;
        if (f.size() != 9 || f[0].empty() || !outcomeFromText(f[1], r.outcome)) continue;
        r.path = f[0];
        r.exchanged = f[2];
        r.withoutPartner = f[3];
        r.propertiesAdded = static_cast<int32_t>(std::wcstol(f[4].c_str(), nullptr, 10));
        r.errorNumber = static_cast<int32_t>(std::wcstol(f[5].c_str(), nullptr, 10));
        r.errorText = f[6];
        r.backup = f[7];
        r.seconds = parseSeconds(f[8]);
        const std::wstring key = toLower(r.path);
        auto it = positionOf.find(key);
        if (it == positionOf.end()) {
            positionOf.emplace(key, report.rows.size());
            report.rows.push_back(std::move(r));
        } else {
            report.rows[it->second] = std::move(r);
        }
    }
    return report;
}

}  // namespace korvane

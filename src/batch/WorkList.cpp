#include "batch/WorkList.h"

#include <set>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"

namespace korvane {

namespace {

bool isDrawingName(const std::wstring& name) {
    return name.size() > 4 && equalsIgnoringCase(std::wstring_view(name).substr(name.size() - 4), L".dft");
}

bool isAbsolute(const std::wstring& path) {
    return (path.size() >= 2 && path[1] == L':') || path.rfind(L"\\\\", 0) == 0;
}

std::wstring withoutTrailingBackslash(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

// The list file's text: UTF-16 with its byte-order mark (Notepad's "Unicode"), otherwise UTF-8.
std::wstring decodeList(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return text;
    }
    std::wstring text = fromUtf8(bytes);
    if (!text.empty() && text[0] == L'\xFEFF') text.erase(0, 1);
    return text;
}

std::wstring trimmed(const std::wstring& line) {
    const size_t first = line.find_first_not_of(L" \t\r\"");
    if (first == std::wstring::npos) return L"";
    const size_t last = line.find_last_not_of(L" \t\r\"");
    return line.substr(first, last - first + 1);
}

class Planner {
public:
    Planner(clsFileString& files, BatchFiles& contents, const std::wstring& excluded)
        : files_(files), contents_(contents), excluded_(toLower(withoutTrailingBackslash(excluded))) {}

    void folder(const std::wstring& root, bool subfolders) {
        const std::wstring start = withoutTrailingBackslash(root);
        if (!files_.existiertVerzeichnis(start)) raiseRuntimeError(rt::PathNotFound);
        walk(start, L"", subfolders);
    }

    void list(const std::wstring& listFile) {
        const std::optional<std::string> bytes = contents_.readBytes(listFile);
        if (!bytes) raiseRuntimeError(rt::PathNotFound);
        const std::wstring base = files_.ermittleVerzeichnis(listFile);
        const std::wstring text = decodeList(*bytes);
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos) end = text.size();
            const std::wstring entry = trimmed(text.substr(start, end - start));
            start = end + 1;
            if (entry.empty() || entry[0] == L'#') continue;
            const std::wstring path = isAbsolute(entry) ? entry : joinPath(base, entry);
            if (!isDrawingName(path)) {
                reject(path, Outcome::Skipped, L"keine .dft-Datei");
            } else if (!files_.existiertDatei(path)) {
                reject(path, Outcome::Failed, L"Datei nicht gefunden", rt::FileNotFound);
            } else {
                add(path, pathBelowRoot(path));
            }
        }
    }

    WorkPlan plan;

private:
    void walk(const std::wstring& folder, const std::wstring& relative, bool subfolders) {
        const Collection pattern{L"*.dft"};
        for (const std::wstring& name : files_.liefereDateiListe(folder, &pattern)) {
            add(joinPath(folder, name), joinPath(relative, name));
        }
        if (!subfolders) return;
        for (const std::wstring& name : files_.liefereVerzeichnisListe(folder, nullptr)) {
            const std::wstring sub = joinPath(folder, name);
            if (toLower(sub) == excluded_) continue;
            walk(sub, joinPath(relative, name), true);
        }
    }

    void add(const std::wstring& path, const std::wstring& relative) {
        if (seen_.insert(toLower(path)).second) plan.items.push_back({path, relative});
    }

    void reject(const std::wstring& path, Outcome outcome, const std::wstring& why, int32_t number = 0) {
        if (!seen_.insert(toLower(path)).second) return;
        DrawingResult r;
        r.path = path;
        r.outcome = outcome;
        r.errorText = why;
        r.errorNumber = number;
        plan.rejected.push_back(std::move(r));
    }

    clsFileString& files_;
    BatchFiles& contents_;
    std::wstring excluded_;
    std::set<std::wstring> seen_;
};

}  // namespace

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

WorkPlan planWork(const BatchOptions& options, clsFileString& files, BatchFiles& contents,
                  const std::wstring& excluded) {
    Planner planner(files, contents, excluded);
    for (const std::wstring& folder : options.folders) planner.folder(folder, options.subfolders);
    if (!options.listFile.empty()) planner.list(options.listFile);
    return std::move(planner.plan);
}

}  // namespace korvane

#include "batch/WorkList.h"

#include <set>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "files/PathText.h"

namespace korvane {

namespace {

bool isDrawingName(const std::wstring& name) {
    return name.size() > 4 && equalsIgnoringCase(std::wstring_view(name).substr(name.size() - 4), L".dft");
}

std::wstring trimmed(const std::wstring& line) {
    const size_t first = line.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) return L"";
    const size_t last = line.find_last_not_of(L" \t\r\n");
    return line.substr(first, last - first + 1);
}

class Planner {
public:
    Planner(clsFileString& files, BatchFiles& contents, PathIdentity& identity, const Excluded& excluded)
        : files_(files), contents_(contents), identity_(identity), backups_(files, identity), excluded_(excluded) {}

    void folder(const std::wstring& spelling, bool subfolders) {
        const FileName root = identity_.of(spelling);
        if (root.path.empty() || !files_.existiertVerzeichnis(root.path)) raiseRuntimeError(rt::PathNotFound);
        plan.folders.push_back(root.path);
        if (backups_.liesInBackupFolder(root.path))
            throw AutomationError(rt::PathFileAccessError, L"Der Ordner " + root.path +
                                                               L" ist ein Sicherungsordner von korvane-stapel oder liegt in einem.");
        walk(root.path, L"", subfolders);
    }

    void list(const std::wstring& spelling) {
        const FileName listFile = identity_.of(spelling);
        const std::optional<std::string> bytes = listFile.path.empty() ? std::nullopt : contents_.readBytes(listFile.path);
        if (!bytes) raiseRuntimeError(rt::PathNotFound);
        plan.listFile = listFile.path;
        const std::wstring base = files_.ermittleVerzeichnis(listFile.path);
        const std::wstring text = decodeListText(*bytes);
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos) end = text.size();
            entry(trimmed(text.substr(start, end - start)), base);
            start = end + 1;
        }
    }

    WorkPlan plan;

private:
    // One line of the list: a path (relative ones from the list's folder, in double quotes when it has
    // to be), a comment from "#" on, or nothing.
    void entry(const std::wstring& line, const std::wstring& base) {
        if (line.empty()) return;
        if (line[0] == L'#') {
            // A comment; but a file of that very name is no doubt meant: say how to name it.
            const FileName meant = identity_.of(line, base);
            if (!meant.path.empty() && isDrawingName(meant.path) && files_.existiertDatei(meant.path))
                reject(meant, Outcome::Skipped,
                       L"Zeile beginnt mit # und gilt als Kommentar; eine Datei, deren Name mit # beginnt, in "
                       L"Anführungszeichen oder mit .\\ davor angeben");
            return;
        }
        const FileName name = identity_.of(line, base);
        if (name.path.empty()) {
            reject(FileName{line, toLower(line)}, Outcome::Skipped, L"kein gültiger Pfad");
        } else if (keys_.count(name.key) > 0) {
            ++plan.repeats;  // named before, by the folders or the list: one row, one piece of work
        } else if (!isDrawingName(name.path)) {
            reject(name, Outcome::Skipped, L"keine .dft-Datei");
        } else if (name.key == excluded_.reportKey || isWithinFolder(name.key, excluded_.backupFolderKey) ||
                   backups_.liesInBackupFolder(name.path)) {
            reject(name, Outcome::Skipped, L"liegt in einem Sicherungsordner von korvane-stapel");
        } else if (!files_.existiertDatei(name.path)) {
            reject(name, Outcome::Failed, L"Datei nicht gefunden", rt::FileNotFound);
        } else {
            add(name, pathBelowRoot(name.path));
        }
    }

    void walk(const std::wstring& folder, const std::wstring& relative, bool subfolders) {
        const Collection pattern{L"*.dft"};
        for (const std::wstring& name : files_.liefereDateiListe(folder, &pattern)) {
            const std::wstring path = joinPath(folder, name);
            const std::wstring key = identity_.keyOf(path);
            if (key == excluded_.reportKey) continue;
            add(FileName{path, key}, joinPath(relative, name));
        }
        if (!subfolders) return;
        for (const std::wstring& name : files_.liefereVerzeichnisListe(folder, nullptr)) {
            const std::wstring sub = joinPath(folder, name);
            if (identity_.keyOf(sub) == excluded_.backupFolderKey || backups_.isBackupFolder(sub)) continue;
            walk(sub, joinPath(relative, name), true);
        }
    }

    // True when the name (or the file behind it) was not named before.
    bool firstTime(const FileName& name) {
        if (!keys_.insert(name.key).second) return false;
        if (const auto file = identity_.fileIdentity(name.path)) {
            if (!fileIds_.insert(*file).second) return false;
        }
        return true;
    }

    void add(const FileName& name, const std::wstring& relative) {
        if (firstTime(name)) plan.items.push_back({name.path, name.key, relative});
        else ++plan.repeats;
    }

    void reject(const FileName& name, Outcome outcome, const std::wstring& why, int32_t number = 0) {
        if (!firstTime(name)) {
            ++plan.repeats;
            return;
        }
        DrawingResult r;
        r.path = name.path;
        r.outcome = outcome;
        r.errorText = why;
        r.errorNumber = number;
        plan.rejected.push_back(std::move(r));
    }

    clsFileString& files_;
    BatchFiles& contents_;
    PathIdentity& identity_;
    BackupFolders backups_;
    Excluded excluded_;
    std::set<std::wstring> keys_;
    std::set<std::wstring> fileIds_;
};

}  // namespace

std::wstring decodeListText(const std::string& bytes) {
    const auto byteAt = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((byteAt(0) == 0xFF && byteAt(1) == 0xFE) || (byteAt(0) == 0xFE && byteAt(1) == 0xFF))) {
        const bool little = byteAt(0) == 0xFF;
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned low = little ? byteAt(i) : byteAt(i + 1);
            const unsigned high = little ? byteAt(i + 1) : byteAt(i);
            text += static_cast<wchar_t>(low | (high << 8));
        }
        return text;
    }
    std::wstring text = fromUtf8(bytes);
    if (!text.empty() && text[0] == L'\xFEFF') text.erase(0, 1);
    return text;
}

WorkPlan planWork(const BatchOptions& options, clsFileString& files, BatchFiles& contents, PathIdentity& identity,
                  const Excluded& excluded) {
    Planner planner(files, contents, identity, excluded);
    for (const std::wstring& folder : options.folders) planner.folder(folder, options.subfolders);
    if (!options.listFile.empty()) planner.list(options.listFile);
    return std::move(planner.plan);
}

std::wstring rowKey(PathIdentity& identity, const std::wstring& path) {
    const FileName name = identity.of(path);
    return name.path.empty() ? identity.keyOf(path) : name.key;
}

void keepPart(WorkPlan& plan, const WorkPart& part, PathIdentity& identity) {
    if (part.whole()) return;
    std::vector<WorkItem> items;
    for (WorkItem& item : plan.items)
        if (part.takes(item.key)) items.push_back(std::move(item));
    plan.items = std::move(items);
    std::vector<DrawingResult> rejected;
    for (DrawingResult& r : plan.rejected)
        if (part.takes(rowKey(identity, r.path))) rejected.push_back(std::move(r));
    plan.rejected = std::move(rejected);
}

}  // namespace korvane

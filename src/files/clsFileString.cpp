#include "files/clsFileString.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "automation/AutomationError.h"
#include "automation/ErrorPolicy.h"
#include "automation/TextConvert.h"
#include "files/FileSystemSupport.h"
#include "files/WildcardPattern.h"

namespace korvane {

namespace {

constexpr int32_t TemporaryFolder = 2;
constexpr int32_t NoSourceFile = -1;
const std::wstring ProbeSuffix = L"_test";

// Status of a file operation: 0 on success, else the runtime number of its failure.
template <class F>
int32_t statusOf(F&& operation) {
    try {
        std::forward<F>(operation)();
        return 0;
    } catch (const AutomationError& e) {
        return e.number();
    }
}

// Which side of the filter match is the pattern: the listings differ there, and callers rely on it.
enum class PatternSide { FilterEntry, ListedName };

// The names that match at least one filter entry, in the order given; without a filter, all of them.
Collection filtered(const std::vector<std::wstring>& names, const Collection* filter, PatternSide pattern,
                    const Collation& collation) {
    Collection result;
    for (const std::wstring& name : names) {
        const bool kept = !filter || std::any_of(filter->begin(), filter->end(), [&](const std::wstring& entry) {
            return pattern == PatternSide::FilterEntry ? matchesPattern(name, entry, collation)
                                                       : matchesPattern(entry, name, collation);
        });
        if (kept) result.Add(name);
    }
    return result;
}

// A name beside `name` that nothing carries yet: "<name>.<n>.alt", n counting from 1. A file set
// aside by benenneUm stays under this name when it cannot be put back.
std::wstring freeNameBeside(FileSystem& fso, const std::wstring& name) {
    std::wstring aside;
    for (int32_t n = 1; aside.empty() || fso.fileExists(aside) || fso.folderExists(aside); ++n)
        aside = name + L"." + std::to_wstring(n) + L".alt";
    return aside;
}

// Moves a file set aside back to its name. The failure that made it necessary stays the result;
// when the move back fails as well, the file stays under the name it was set aside to.
int32_t putBack(FileSystem& fso, const std::wstring& aside, const std::wstring& name, int32_t status) {
    statusOf([&] { fso.moveFile(aside, name); });
    return status;
}

}  // namespace

clsFileString::clsFileString() : clsFileString(defaultFileSystem()) {}

clsFileString::clsFileString(std::shared_ptr<FileSystem> fileSystem, Collation collation)
    : fso_(std::move(fileSystem)), collation_(std::move(collation)) {
    if (!fso_) raiseRuntimeError(rt::CannotCreateObject);
}

std::wstring clsFileString::ermittleTempVerzeichnis() {
    // No guard.
    return fso_->specialFolder(TemporaryFolder);
}

int32_t clsFileString::ermittleDateigroesse(const std::wstring& sBeliebigerDateiName) {
    // Neutral result 0: a missing name, a folder and a size beyond 32 bits all give 0.
    return swallow(int32_t{0}, [&] {
        const int64_t size = fso_->fileSize(sBeliebigerDateiName);
        if (size > std::numeric_limits<int32_t>::max()) raiseRuntimeError(rt::Overflow);
        return static_cast<int32_t>(size);
    });
}

AutomationDate clsFileString::ermittleAenderungsDatum(const std::wstring& sLangerDateiName) {
    // No guard.
    return fso_->dateLastModified(sLangerDateiName);
}

std::wstring clsFileString::ermittleVerzeichnis(const std::wstring& sLangerDateiName) {
    const size_t slash = sLangerDateiName.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : sLangerDateiName.substr(0, slash);
}

std::wstring clsFileString::ermittleDateiName(const std::wstring& sLangerDateiName) {
    const size_t slash = sLangerDateiName.rfind(L'\\');
    return slash == std::wstring::npos ? sLangerDateiName : sLangerDateiName.substr(slash + 1);
}

std::wstring clsFileString::ermittleLangerDateiNameOhneErweiterung(const std::wstring& sLangerDateiName) {
    // The separator goes in even when there is no folder part, so "abc.txt" gives "\abc".
    return ermittleVerzeichnis(sLangerDateiName) + L"\\" + ermittleKurzenDateiName(sLangerDateiName);
}

std::wstring clsFileString::ermittleErweiterung(const std::wstring& sBeliebigerDateiName) {
    const std::wstring name = ermittleDateiName(sBeliebigerDateiName);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

std::wstring clsFileString::ermittleLaufwerkUndLangenDateiNamen(const std::wstring& sBeliebigerDateiName) {
    // No guard. The letter nearest "z" wins when several map to the same share.
    const std::wstring drive = fso_->driveName(sBeliebigerDateiName);
    for (wchar_t letter = L'z'; letter >= L'a'; --letter) {
        const std::wstring unc = ermittleUNC(std::wstring(1, letter));
        if (collation_.equal(drive, unc)) {
            const std::wstring rest =
                unc.size() < sBeliebigerDateiName.size() ? sBeliebigerDateiName.substr(unc.size()) : std::wstring();
            return std::wstring(1, letter) + L":" + rest;
        }
    }
    return sBeliebigerDateiName;
}

std::wstring clsFileString::ermittleKurzenDateiName(const std::wstring& sBeliebigerDateiName) {
    const std::wstring name = ermittleDateiName(sBeliebigerDateiName);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

bool clsFileString::existiertDatei(const std::wstring& sBeliebigerDateiName) {
    // No guard.
    return fso_->fileExists(sBeliebigerDateiName);
}

bool clsFileString::existiertVerzeichnis(const std::wstring& sBeliebigerVerzeichnisName) {
    // No guard.
    return fso_->folderExists(sBeliebigerVerzeichnisName);
}

Variant clsFileString::erstelleVerzeichnis(const std::wstring& sBeliebigerVerzeichnisName) {
    // The parent's existence test is unguarded; the creation of the folder itself is swallowed.
    // The recursion ends where the chain of parents runs out: an empty parent is never created.
    const std::wstring parent = ermittleVerzeichnis(sBeliebigerVerzeichnisName);
    if (!parent.empty() && !existiertVerzeichnis(parent)) erstelleVerzeichnis(parent);
    swallow([&] { fso_->createFolder(sBeliebigerVerzeichnisName); });
    return Variant();
}

std::wstring clsFileString::ermittleUNCundLangerDateiName(const std::wstring& sLangerDateiName) {
    // No guard. A local drive letter comes back lower-cased, because the letter is passed so.
    if (sLangerDateiName.size() < 2 || sLangerDateiName[1] != L':') return sLangerDateiName;
    // "Between a and z" in the user's collation takes the accented letters too.
    const wchar_t first = collation_.lowerCased(sLangerDateiName.substr(0, 1))[0];
    if (collation_.compare(L'a', first) > 0 || collation_.compare(first, L'z') > 0) return sLangerDateiName;
    return ermittleUNC(std::wstring(1, first)) + sLangerDateiName.substr(2);
}

std::wstring clsFileString::ermittleUNC(const std::wstring& sLaufwerksBuchstabe) {
    // Walking the drives is unguarded; only a failed reading of the share name is swallowed,
    // and the walk ends at that drive all the same.
    const std::wstring letter = sLaufwerksBuchstabe.substr(0, 1);
    std::wstring result = letter + L":";
    for (const DriveEntry& drive : fso_->drives()) {
        if (collation_.equal(drive.letter, letter) && drive.type == DriveType::Network) {
            swallow([&] { result = fso_->shareName(drive.letter); });
            break;
        }
    }
    return result;
}

Variant clsFileString::entferneAnfuehrungsZeichen(const std::wstring& sBeliebigerDateiName) {
    // No guard: a lone double quote leaves a negative length, error 5.
    if (sBeliebigerDateiName.empty() || sBeliebigerDateiName[0] != L'"') return Variant(sBeliebigerDateiName);
    if (sBeliebigerDateiName.size() < 2) raiseRuntimeError(rt::InvalidArgument);
    return Variant(sBeliebigerDateiName.substr(1, sBeliebigerDateiName.size() - 2));
}

std::wstring clsFileString::convertNachUNC(const Variant& sBeliebigerDateiName) {
    // No guard: fewer than two characters is error 5, before any test.
    std::wstring s = sBeliebigerDateiName.toText();
    if (s.size() < 2) raiseRuntimeError(rt::InvalidArgument);
    const std::wstring letter = s.substr(0, 1);
    const std::wstring rest = s.substr(2);
    if (s[0] == L'\\' && s[1] == L'\\') return s;
    // Case is ignored, so the letter needs no upper-casing; "[A-Z]" is a range of the collation.
    if (matchesPattern(letter, L"[A-Z]", collation_)) return ermittleUNC(letter) + rest;
    return std::wstring();
}

bool clsFileString::schreibRecht(const std::wstring& sBeliebigerDateiName) {
    // Record and skip: False when either rename failed. Only a file this probe moved away is
    // moved back, so a file that merely carries the probe name is never touched.
    const std::wstring probe = sBeliebigerDateiName + ProbeSuffix;
    ErrorRecord record;
    bool movedAway = false;
    record.attempt([&] {
        fso_->moveFile(sBeliebigerDateiName, probe);
        movedAway = true;
    });
    if (movedAway) record.attempt([&] { fso_->moveFile(probe, sBeliebigerDateiName); });
    return !record.failed();
}

int32_t clsFileString::benenneUm(const std::wstring& sAlterDateiname, const std::wstring& sNeuerDateiName) {
    // Neutral result: the status of the step that failed, as the file system raised it. A file of
    // the new name is replaced only when the move succeeds: it is set aside first and put back
    // whenever the rename cannot be completed. It must be deletable without force, so a read-only
    // one survives (status 70, from its deletion). A folder of the new name, and a move of several
    // files into a folder (wildcards), report what the move raised.
    const int32_t direct = statusOf([&] { fso_->moveFile(sAlterDateiname, sNeuerDateiName); });
    if (direct != rt::FileAlreadyExists || hasWildcards(sAlterDateiname)) return direct;
    std::wstring aside;
    const int32_t setAside = statusOf([&] {
        if (!fso_->fileExists(sNeuerDateiName)) raiseRuntimeError(direct);
        aside = freeNameBeside(*fso_, sNeuerDateiName);
        fso_->moveFile(sNeuerDateiName, aside);
    });
    // A target another program holds open cannot be set aside: its sharing error is the result.
    if (setAside != 0) return setAside;

    const int32_t moved = statusOf([&] { fso_->moveFile(sAlterDateiname, sNeuerDateiName); });
    if (moved != 0) return putBack(*fso_, aside, sNeuerDateiName, moved);
    const int32_t deleted = statusOf([&] { fso_->deleteFile(aside, false); });
    if (deleted == 0) return 0;
    // The former file could not be deleted: the rename is undone and the former file put back.
    // Should the undo fail, the renamed file keeps the new name and the former one stays set aside.
    if (statusOf([&] { fso_->moveFile(sNeuerDateiName, sAlterDateiname); }) != 0) return deleted;
    return putBack(*fso_, aside, sNeuerDateiName, deleted);
}

int32_t clsFileString::loescheDatei(std::wstring& sLangerDateiName) {
    // Neutral result: the status of the forced deletion.
    return statusOf([&] { fso_->deleteFile(sLangerDateiName, true); });
}

int32_t clsFileString::loescheVerzeichnis(std::wstring& sVerzeichnis) {
    // Neutral result: the status of the forced deletion of the folder and all it holds.
    return statusOf([&] { fso_->deleteFolder(sVerzeichnis, true); });
}

int32_t clsFileString::kopiereDatei(const std::wstring& sAlterDateiname, const std::wstring& sNeuerDateiName) {
    // The folder step is unguarded; from the source test on, the result is a status. A missing
    // source gives -1 before the target is touched, so an existing target is never lost for nothing.
    // A source with wildcards copies every file it matches into the folder the new name names,
    // as the runtime's CopyFile does; that folder is the one made, and no match is its 53.
    const bool several = hasWildcards(sAlterDateiname);
    const bool namedFolder = several && !sNeuerDateiName.empty() && !endsWithSeparator(sNeuerDateiName);
    const std::wstring targetFolder = namedFolder ? sNeuerDateiName : ermittleVerzeichnis(sNeuerDateiName);
    if (!existiertVerzeichnis(targetFolder)) erstelleVerzeichnis(targetFolder);
    if (several) return statusOf([&] { fso_->copyFile(sAlterDateiname, sNeuerDateiName, true); });

    try {
        if (!existiertDatei(sAlterDateiname)) return NoSourceFile;
        if (existiertDatei(sNeuerDateiName)) {
            std::wstring target = sNeuerDateiName;
            loescheDatei(target);
        }
        fso_->copyFile(sAlterDateiname, sNeuerDateiName, true);
        return 0;
    } catch (const AutomationError& e) {
        return e.number();
    }
}

Collection clsFileString::liefereVerzeichnisListe(const std::wstring& Suchverzeichnis, const Collection* Filter) {
    // No guard. Here the filter entry is the text and the subfolder's name is the pattern.
    return filtered(fso_->subfolderNames(Suchverzeichnis), Filter, PatternSide::ListedName, collation_);
}

Collection clsFileString::liefereDateiListe(const std::wstring& Suchverzeichnis, const Collection* Filter) {
    // No guard.
    return filtered(fso_->fileNames(Suchverzeichnis), Filter, PatternSide::FilterEntry, collation_);
}

Collection clsFileString::liefereSEDateiListe(const Variant& Suchverzeichnis) {
    // No guard.
    const Collection patterns{L"*.par", L"*.psm", L"*.pwd", L"*.asm", L"*.dft"};
    return liefereDateiListe(Suchverzeichnis.toText(), &patterns);
}

}  // namespace korvane

#pragma once
// File and path services: name dissection, existence tests, UNC conversion, file facts,
// file operations with status results, and folder listings.
#include <cstdint>
#include <memory>
#include <string>

#include "automation/Collection.h"
#include "automation/Variant.h"
#include "files/Collation.h"
#include "files/FileSystem.h"

namespace korvane {

class clsFileString {
public:
    // With the platform's file system; where there is none, creation fails (429) in front of the creator.
    // Text comparisons ignore case in the user's collation, or in the one given.
    clsFileString();
    explicit clsFileString(std::shared_ptr<FileSystem> fileSystem, Collation collation = Collation::user());

    std::wstring ermittleTempVerzeichnis();
    int32_t ermittleDateigroesse(const std::wstring& sBeliebigerDateiName);
    AutomationDate ermittleAenderungsDatum(const std::wstring& sLangerDateiName);
    std::wstring ermittleVerzeichnis(const std::wstring& sLangerDateiName);
    std::wstring ermittleDateiName(const std::wstring& sLangerDateiName);
    std::wstring ermittleLangerDateiNameOhneErweiterung(const std::wstring& sLangerDateiName);
    std::wstring ermittleErweiterung(const std::wstring& sBeliebigerDateiName);
    std::wstring ermittleLaufwerkUndLangenDateiNamen(const std::wstring& sBeliebigerDateiName);
    std::wstring ermittleKurzenDateiName(const std::wstring& sBeliebigerDateiName);
    bool existiertDatei(const std::wstring& sBeliebigerDateiName);
    bool existiertVerzeichnis(const std::wstring& sBeliebigerVerzeichnisName);
    Variant erstelleVerzeichnis(const std::wstring& sBeliebigerVerzeichnisName);
    std::wstring ermittleUNCundLangerDateiName(const std::wstring& sLangerDateiName);
    std::wstring ermittleUNC(const std::wstring& sLaufwerksBuchstabe);
    Variant entferneAnfuehrungsZeichen(const std::wstring& sBeliebigerDateiName);
    std::wstring convertNachUNC(const Variant& sBeliebigerDateiName);
    bool schreibRecht(const std::wstring& sBeliebigerDateiName);
    int32_t benenneUm(const std::wstring& sAlterDateiname, const std::wstring& sNeuerDateiName);
    int32_t loescheDatei(std::wstring& sLangerDateiName);
    int32_t loescheVerzeichnis(std::wstring& sVerzeichnis);
    int32_t kopiereDatei(const std::wstring& sAlterDateiname, const std::wstring& sNeuerDateiName);
    // Filter: a collection of patterns, or nullptr for no filtering.
    Collection liefereVerzeichnisListe(const std::wstring& Suchverzeichnis, const Collection* Filter);
    Collection liefereDateiListe(const std::wstring& Suchverzeichnis, const Collection* Filter);
    Collection liefereSEDateiListe(const Variant& Suchverzeichnis);

private:
    std::shared_ptr<FileSystem> fso_;
    Collation collation_;
};

}  // namespace korvane

#include "batch/BatchOptions.h"

#include "automation/TextConvert.h"

namespace korvane {

namespace {

struct Option {
    std::wstring name;   // lower case
    std::wstring value;
    bool hasValue = false;
};

// "/name:value", "/name=value", "--name=value", "--name value" is not taken: values are always attached.
std::optional<Option> asOption(const std::wstring& argument) {
    std::wstring body;
    if (argument.rfind(L"--", 0) == 0) body = argument.substr(2);
    else if (!argument.empty() && argument[0] == L'/') body = argument.substr(1);
    else return std::nullopt;
    Option option;
    const size_t separator = body.find_first_of(L":=");
    if (separator == std::wstring::npos) {
        option.name = toLower(body);
    } else {
        option.name = toLower(body.substr(0, separator));
        option.value = body.substr(separator + 1);
        option.hasValue = true;
    }
    return option;
}

// Every option: a switch sets its flag, any other takes a value into its text or its seconds.
struct KnownOption {
    const wchar_t* name;
    bool BatchOptions::*flag;
    std::wstring BatchOptions::*text;
    std::chrono::seconds BatchOptions::*seconds = nullptr;
    size_t BatchOptions::*count = nullptr;
};

constexpr KnownOption kKnownOptions[] = {
    {L"?", &BatchOptions::help, nullptr},
    {L"h", &BatchOptions::help, nullptr},
    {L"hilfe", &BatchOptions::help, nullptr},
    {L"help", &BatchOptions::help, nullptr},
    {L"s", &BatchOptions::subfolders, nullptr},
    {L"unterordner", &BatchOptions::subfolders, nullptr},
    {L"probe", &BatchOptions::probe, nullptr},
    {L"fortsetzen", &BatchOptions::resume, nullptr},
    {L"liste", nullptr, &BatchOptions::listFile},
    {L"vorlage", nullptr, &BatchOptions::templateChoice},
    {L"bericht", nullptr, &BatchOptions::reportFile},
    {L"sicherung", nullptr, &BatchOptions::backupFolder},
    {L"zeitlimit", nullptr, nullptr, &BatchOptions::timeLimit},
    {L"neustart", nullptr, nullptr, nullptr, &BatchOptions::restartEvery},
    {L"zusammenfassen", nullptr, &BatchOptions::mergeTarget},
};

constexpr wchar_t kPartOption[] = L"teil";

// Why a /teil value is no part, as precisely as the text allows.
std::wstring partProblem(const std::wstring& value) {
    const size_t slash = value.find(L'/');
    if (slash == std::wstring::npos)
        return L"Die Option /teil braucht den Teil und die Anzahl der Teile, z. B. /teil:2/3 (Teil 2 von 3).";
    const std::wstring number = value.substr(0, slash), count = value.substr(slash + 1);
    const auto digits = [](const std::wstring& t) {
        return !t.empty() && t.size() <= 4 && t.find_first_not_of(L"0123456789") == std::wstring::npos;
    };
    if (!digits(number) || !digits(count))
        return L"/teil:" + value + L": Teil und Anzahl der Teile müssen ganze Zahlen sein (höchstens " +
               std::to_wstring(kMostParts) + L" Teile), z. B. /teil:2/3.";
    if (std::stoul(count) < 1) return L"/teil:" + value + L": die Anzahl der Teile muss mindestens 1 sein.";
    return L"/teil:" + value + L": diesen Teil gibt es nicht; der Teil muss zwischen 1 und " + count + L" liegen.";
}

// A whole number of seconds above 0; at most six digits (eleven days), so that no sum overflows.
std::optional<std::chrono::seconds> secondsOf(const std::wstring& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value == 0) return std::nullopt;
    return std::chrono::seconds(value);
}

// A whole number from 0, at most six digits.
std::optional<size_t> countOf(const std::wstring& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    size_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<size_t>(c - L'0');
    }
    return value;
}

// "Die Option /NAME braucht WHAT, z. B. /NAME:EXAMPLE"
OptionsError needs(const std::wstring& name, const wchar_t* what, const wchar_t* example) {
    std::wstring text = L"Die Option /" + name;
    text += L" braucht ";
    text += what;
    text += L", z. B. /";
    text += name;
    text += L':';
    text += example;
    return OptionsError{text};
}

const KnownOption* knownOption(const std::wstring& name) {
    for (const KnownOption& known : kKnownOptions) {
        if (name == known.name) return &known;
    }
    return nullptr;
}

}  // namespace

std::variant<BatchOptions, OptionsError> parseBatchOptions(const std::vector<std::wstring>& arguments) {
    BatchOptions options;
    for (const std::wstring& argument : arguments) {
        const std::optional<Option> option = asOption(argument);
        if (!option) {
            if (!argument.empty()) options.folders.push_back(argument);
            continue;
        }
        const std::wstring& n = option->name;
        if (n == kPartOption) {
            const auto part = option->hasValue ? parseWorkPart(option->value) : std::nullopt;
            if (!part) return OptionsError{partProblem(option->value)};
            options.part = *part;
            continue;
        }
        const KnownOption* known = knownOption(n);
        if (!known) return OptionsError{L"Unbekannte Option: " + argument};
        if (known->flag) {
            if (option->hasValue) return OptionsError{L"Die Option /" + n + L" nimmt keinen Wert."};
            options.*(known->flag) = true;
            continue;
        }
        if (option->value.empty()) return needs(n, L"einen Wert", L"...");
        if (known->seconds) {
            const auto seconds = secondsOf(option->value);
            if (!seconds) return needs(n, L"eine ganze Zahl von Sekunden größer als 0 (höchstens 999999)", L"600");
            options.*(known->seconds) = *seconds;
            continue;
        }
        if (known->count) {
            const auto count = countOf(option->value);
            if (!count) return needs(n, L"eine ganze Zahl von Zeichnungen ab 0 (0: nie neu starten, höchstens 999999)", L"30");
            options.*(known->count) = *count;
            continue;
        }
        options.*(known->text) = option->value;
    }
    if (options.help) return options;
    if (options.folders.empty() && options.listFile.empty())
        return OptionsError{L"Kein Ordner und keine Liste angegeben."};
    if (options.resume && options.reportFile.empty())
        return OptionsError{L"/fortsetzen braucht den Bericht des abgebrochenen Laufs: /bericht:DATEI"};
    if (options.resume && options.probe) return OptionsError{L"/probe und /fortsetzen schließen sich aus."};
    if (!options.mergeTarget.empty() && options.resume)
        return OptionsError{L"/zusammenfassen und /fortsetzen schließen sich aus: einen Teil mit /teil und /fortsetzen "
                            L"fortsetzen, dann zusammenfassen."};
    if (!options.mergeTarget.empty() && !options.part.whole())
        return OptionsError{L"/zusammenfassen fasst alle Teile zusammen; /teil gehört nur zu den Läufen der Teile."};
    return options;
}

std::wstring batchUsage() {
    return L"Tauscht die Hintergrundblätter vieler Zeichnungen (.dft) gegen die der Vorlage und legt die\r\n"
           L"Dateieigenschaften des SAP-Schriftfelds an.\r\n"
           L"\r\n"
           L"korvane-stapel [Ordner ...] [/s] [/liste:DATEI] [/vorlage:NAME] [/probe]\r\n"
           L"               [/bericht:DATEI] [/sicherung:ORDNER] [/fortsetzen] [/zeitlimit:SEK]\r\n"
           L"               [/neustart:N] [/teil:K/N]\r\n"
           L"korvane-stapel /zusammenfassen:ZIEL.csv Teilberichte ... Ordner ... [/s] [/liste:DATEI] [/vorlage:NAME]\r\n"
           L"\r\n"
           L"  Ordner             Ordner mit Zeichnungen\r\n"
           L"  /s                 auch alle Unterordner\r\n"
           L"  /liste:DATEI       Textdatei mit einem Zeichnungspfad je Zeile (UTF-8 oder Unicode/UTF-16);\r\n"
           L"                     relative Pfade gelten ab dem Ordner der Liste, leere Zeilen zählen nicht,\r\n"
           L"                     # am Zeilenanfang macht die Zeile zum Kommentar (Dateinamen mit # am Anfang\r\n"
           L"                     in Anführungszeichen oder mit .\\ davor angeben)\r\n"
           L"  /vorlage:NAME      \"Normal\" (Vorgabe), \"eng.chin.Normal\" oder der Pfad einer Vorlagendatei\r\n"
           L"  /probe             nichts ändern: nur zeigen, welches Blatt welches Vorlagenblatt bekäme\r\n"
           L"  /bericht:DATEI     Bericht als CSV (Excel); Vorgabe: korvane-stapel <Datum Zeit>.csv. Eine\r\n"
           L"                     vorhandene Datei wird nie überschrieben (außer beim Fortsetzen)\r\n"
           L"  /sicherung:ORDNER  Sicherung der Zeichnungen vor dem Ändern, der volle Pfad darunter\r\n"
           L"                     nachgebildet; Vorgabe: neben dem Bericht\r\n"
           L"  /fortsetzen        überspringt, was der Bericht (/bericht) als erledigt zeigt\r\n"
           L"  /zeitlimit:SEK     so viele Sekunden wartet der Stapel je Zeichnung höchstens auf Solid Edge\r\n"
           L"                     (Vorgabe 600). Antwortet ein selbst gestartetes Solid Edge nicht, wird es\r\n"
           L"                     beendet und neu gestartet; ein schon laufendes bleibt, der Stapel endet (4)\r\n"
           L"  /neustart:N        ein vom Stapel gestartetes Solid Edge wird nach je N darin geöffneten\r\n"
           L"                     Zeichnungen beendet und neu gestartet, da es mit jeder Zeichnung wächst\r\n"
           L"                     (Vorgabe 30, 0: nie). Ein schon laufendes Solid Edge gehört dem Benutzer und\r\n"
           L"                     wird nie neu gestartet: vor einem großen Lauf Solid Edge besser schließen\r\n"
           L"  /teil:K/N          nur Teil K von N der Zeichnungen (mehrere Rechner, je einer mit K = 1 bis N,\r\n"
           L"                     gleichen Ordnern, Liste und Vorlage, jeder mit eigenem Bericht). Jede\r\n"
           L"                     Zeichnung gehört auf jedem Rechner und in jedem Lauf zum selben Teil, wenn alle\r\n"
           L"                     das Archiv über dieselbe Freigabe erreichen. Vorgabe des Berichts:\r\n"
           L"                     korvane-stapel Teil K von N <Datum Zeit>.csv\r\n"
           L"  /zusammenfassen:ZIEL.csv\r\n"
           L"                     fasst die Berichte der Teile (Dateien oder ein Ordner mit ihnen) zu einem\r\n"
           L"                     Bericht über das ganze Archiv zusammen; dazu dieselben Ordner, Liste, /s und\r\n"
           L"                     Vorlage wie bei den Teilen. Zeichnungen, die kein Teil abgeschlossen hat,\r\n"
           L"                     stehen darin als \"fehlt\" (Ende 1). ZIEL wird nie überschrieben\r\n"
           L"  /?                 diese Hilfe\r\n"
           L"\r\n"
           L"Optionen auch mit -- (--probe, --vorlage=Normal). Ende: 0 alles getauscht, 1 Zeichnungen\r\n"
           L"übersprungen oder fehlgeschlagen, 2 konnte nicht beginnen, 3 abgebrochen (fortsetzen möglich),\r\n"
           L"4 Solid Edge antwortet nicht (Solid Edge schließen, dann fortsetzen). /zusammenfassen endet mit 0,\r\n"
           L"wenn jede Zeichnung in einem Teilbericht abgeschlossen ist, mit 1, wenn welche fehlen.\r\n";
}

}  // namespace korvane

#include "automation/AutomationError.h"

#include "automation/TextConvert.h"

namespace korvane {

AutomationError::AutomationError(int32_t number, std::wstring description, std::wstring source)
    : number_(number), description_(std::move(description)), source_(std::move(source)),
      whatText_("error " + std::to_string(number) + ": " + toUtf8(description_)) {}

std::wstring runtimeDescription(int32_t number) {
    switch (number) {
    case 3: return L"Return ohne GoSub";
    case 5: return L"Ungültiger Prozeduraufruf oder ungültiges Argument";
    case 6: return L"Überlauf";
    case 7: return L"Nicht genügend Speicher";
    case 9: return L"Index außerhalb des gültigen Bereichs";
    case 11: return L"Division durch Null";
    case 13: return L"Typen unverträglich";
    case 51: return L"Interner Fehler";
    case 52: return L"Dateiname oder -nummer falsch";
    case 53: return L"Datei nicht gefunden";
    case 55: return L"Datei bereits geöffnet";
    case 57: return L"Fehler beim Lesen von/Schreiben auf Gerät";
    case 58: return L"Datei existiert bereits";
    case 61: return L"Datenträger voll";
    case 62: return L"Einlesen hinter Dateiende";
    case 67: return L"Zu viele Dateien";
    case 68: return L"Gerät nicht verfügbar";
    case 70: return L"Zugriff verweigert";
    case 71: return L"Datenträger nicht bereit";
    case 74: return L"Umbenennen bei Angabe unterschiedlicher Laufwerke nicht möglich";
    case 75: return L"Fehler beim Zugriff auf Pfad/Datei";
    case 76: return L"Pfad nicht gefunden";
    case 91: return L"Objektvariable oder With-Blockvariable nicht festgelegt";
    case 93: return L"Ungültige Musterzeichenfolge";
    case 94: return L"Unzulässige Verwendung von Null";
    case 424: return L"Objekt erforderlich";
    case 429: return L"Objekterstellung durch ActiveX-Komponente nicht möglich";
    case 438: return L"Objekt unterstützt diese Eigenschaft oder Methode nicht";
    case 440: return L"Automatisierungsfehler";
    case 449: return L"Argument ist nicht optional";
    case 450: return L"Falsche Anzahl an Argumenten oder ungültige Eigenschaftszuweisung";
    case 451: return L"Property let-Prozedur nicht definiert und Property get-Prozedur hat kein Objekt zurückgegeben";
    default: return L"Anwendungs- oder objektdefinierter Fehler";
    }
}

void raiseRuntimeError(int32_t number) {
    throw AutomationError(number, runtimeDescription(number));
}

}  // namespace korvane

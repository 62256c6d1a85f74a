// The runtime's error numbers and German texts, written out as literals: everything else compares
// with the named constants, so a constant with a wrong value would pass every other test.
#include <gtest/gtest.h>

#include <string>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"

using namespace korvane;

TEST(RuntimeNumbers, ConstantsAndTextsAreTheRuntimes) {
    const struct {
        int32_t constant;
        int32_t number;
        const wchar_t* text;
    } rows[] = {
        {rt::InvalidArgument, 5, L"Ungültiger Prozeduraufruf oder ungültiges Argument"},
        {rt::Overflow, 6, L"Überlauf"},
        {rt::OutOfMemory, 7, L"Nicht genügend Speicher"},
        {rt::SubscriptOutOfRange, 9, L"Index außerhalb des gültigen Bereichs"},
        {rt::TypeMismatch, 13, L"Typen unverträglich"},
        {rt::InternalError, 51, L"Interner Fehler"},
        {rt::BadFileName, 52, L"Dateiname oder -nummer falsch"},
        {rt::FileNotFound, 53, L"Datei nicht gefunden"},
        {rt::FileAlreadyExists, 58, L"Datei existiert bereits"},
        {rt::DiskFull, 61, L"Datenträger voll"},
        {rt::TooManyFiles, 67, L"Zu viele Dateien"},
        {rt::DeviceUnavailable, 68, L"Gerät nicht verfügbar"},
        {rt::PermissionDenied, 70, L"Zugriff verweigert"},
        {rt::DiskNotReady, 71, L"Datenträger nicht bereit"},
        {rt::RenameAcrossDrives, 74, L"Umbenennen bei Angabe unterschiedlicher Laufwerke nicht möglich"},
        {rt::PathFileAccessError, 75, L"Fehler beim Zugriff auf Pfad/Datei"},
        {rt::PathNotFound, 76, L"Pfad nicht gefunden"},
        {rt::ObjectNotSet, 91, L"Objektvariable oder With-Blockvariable nicht festgelegt"},
        {rt::InvalidPatternString, 93, L"Ungültige Musterzeichenfolge"},
        {rt::CannotCreateObject, 429, L"Objekterstellung durch ActiveX-Komponente nicht möglich"},
        {rt::MemberNotSupported, 438, L"Objekt unterstützt diese Eigenschaft oder Methode nicht"},
        {rt::AutomationFailure, 440, L"Automatisierungsfehler"},
        {rt::ArgumentNotOptional, 449, L"Argument ist nicht optional"},
        {123456, 123456, L"Anwendungs- oder objektdefinierter Fehler"},  // any number without a text of its own
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.constant, row.number) << "constant for " << toUtf8(row.text);
        EXPECT_EQ(toUtf8(runtimeDescription(row.number)), toUtf8(row.text)) << "text of " << row.number;
        try {
            raiseRuntimeError(row.constant);
            ADD_FAILURE() << row.number << " was not raised";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), row.number);
            EXPECT_EQ(toUtf8(e.description()), toUtf8(row.text)) << "raised text of " << row.number;
            EXPECT_EQ(std::string(e.what()), "error " + std::to_string(row.number) + ": " + toUtf8(row.text));
        }
    }
}

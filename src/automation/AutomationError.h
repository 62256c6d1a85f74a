#pragma once
// The one error type of the program: a runtime error number, its description and its source,
// as the automation runtime reports them.
#include <cstdint>
#include <exception>
#include <string>

namespace korvane {

class AutomationError : public std::exception {
public:
    AutomationError(int32_t number, std::wstring description, std::wstring source = L"Korvane");

    int32_t number() const noexcept { return number_; }
    const std::wstring& description() const noexcept { return description_; }
    const std::wstring& source() const noexcept { return source_; }
    const char* what() const noexcept override { return whatText_.c_str(); }

private:
    int32_t number_;
    std::wstring description_;
    std::wstring source_;
    std::string whatText_;
};

// Classic runtime error numbers used by the program itself.
namespace rt {
inline constexpr int32_t InvalidArgument = 5;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t InternalError = 51;
inline constexpr int32_t BadFileName = 52;
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t FileAlreadyExists = 58;
inline constexpr int32_t DiskFull = 61;
inline constexpr int32_t TooManyFiles = 67;
inline constexpr int32_t DeviceUnavailable = 68;
inline constexpr int32_t PermissionDenied = 70;
inline constexpr int32_t DiskNotReady = 71;
inline constexpr int32_t RenameAcrossDrives = 74;
inline constexpr int32_t PathFileAccessError = 75;
inline constexpr int32_t PathNotFound = 76;
inline constexpr int32_t ObjectNotSet = 91;
inline constexpr int32_t InvalidPatternString = 93;
inline constexpr int32_t CannotCreateObject = 429;
inline constexpr int32_t MemberNotSupported = 438;
inline constexpr int32_t ArgumentNotOptional = 449;
inline constexpr int32_t AutomationFailure = 440;
}  // namespace rt

// The description the German runtime shows for a classic error number
// ("Anwendungs- oder objektdefinierter Fehler" for numbers it does not know).
std::wstring runtimeDescription(int32_t number);

// Raises the classic runtime error with its German description.
[[noreturn]] void raiseRuntimeError(int32_t number);

}  // namespace korvane

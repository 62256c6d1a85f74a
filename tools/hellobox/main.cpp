// hellobox.exe: shows one information box as soon as it starts and ends when it is answered.
// Its start-up time is what any Windows program pays under the same system before its first window.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    ::MessageBoxW(nullptr, L"Vergleichsprogramm: dieses Fenster erscheint sofort.", L"hellobox",
                  MB_OK | MB_ICONINFORMATION);
    return 0;
}

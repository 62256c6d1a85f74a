// Never run: its import table is what the import check reads. GetDpiForWindow came with Windows 10
// 1607; mingw-w64 declares it for any Windows 10 target, since WINVER cannot tell the releases apart.
#include <windows.h>

int main() {
    return static_cast<int>(::GetDpiForWindow(::GetDesktopWindow()));
}

// Client of the foundation end-to-end cases (scripts/wine/run-e2e), one case per run:
//   ComFoundationClient exchange TEMPLATE   binds to the running application and copies the template's
//                                           background sheet content into the active drawing's, then saves
//   ComFoundationClient busy BOUND_MS       reads the version twice with a retry filter bounded to BOUND_MS;
//                                           prints "ok <ms>" or "error <number> <ms>" for the second read
//   ComFoundationClient create              creates a new application instance, reads its version, quits it
// Prints one result line; exit code 0 when the case ran through, 1 on an automation error.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComBinder.h"
#include "automation/win32/RetryMessageFilter.h"

using korvane::AutomationError;
using korvane::Object;
using korvane::Variant;

namespace {

constexpr wchar_t kProgId[] = L"SolidEdge.Application";

enum Command : int32_t { ShowBackground = 10211, Copy = 57634, Delete = 10100, Paste = 57637, ShowWorking = 10212 };

void print(const std::wstring& line) { std::printf("%s\n", korvane::toUtf8(line).c_str()); }

std::vector<Object> backgroundSheets(const Object& document) {
    Object groups = document.getObject(4199);
    Object background = groups.callObject(0, {Variant::i2(2)});
    std::vector<Object> sheets;
    for (const Variant& item : background.getObject(104).items()) sheets.push_back(Object::from(item));
    return sheets;
}

int32_t sizeOf(const Object& sheet) { return sheet.getObject(123).get(12).toLong(); }

void command(const Object& app, Command number) { app.call(79, {Variant::i4(number)}); }

void selectAll(const Object& app) {
    Object window = app.getObject(8);
    window.getObject(L"SelectSet").call(L"RemoveAll");
    window.getObject(L"SelectSet").call(L"AddAll");
}

int exchange(const std::wstring& templatePath) {
    korvane::com::ComBinder binder;
    Object app = binder.getActiveObject(kProgId);
    Object drawing = app.getObject(2);
    std::wstring name = templatePath;
    Object templ = app.getObject(21).callObject(6, {Variant::textRef(name)});
    int copied = 0;
    for (const Object& sheet : backgroundSheets(drawing)) {
        const int32_t size = sizeOf(sheet);
        Object partner;
        for (const Object& candidate : backgroundSheets(templ))
            if (sizeOf(candidate) == size) {
                partner = candidate;
                break;
            }
        if (!partner) continue;
        templ.call(1);
        command(app, ShowBackground);
        partner.call(115);
        selectAll(app);
        command(app, Copy);
        drawing.call(1);
        command(app, ShowBackground);
        sheet.call(115);
        selectAll(app);
        command(app, Delete);
        command(app, Paste);
        ++copied;
    }
    templ.call(6, {Variant::boolean(false)});
    drawing.call(1);
    command(app, ShowWorking);
    drawing.call(L"Save");
    print(L"ok " + std::to_wstring(copied) + L" name " + name);
    return 0;
}

int busy(DWORD bound) {
    korvane::com::RetryMessageFilter filter{std::chrono::milliseconds(bound)};
    korvane::com::ComBinder binder;
    Object app = binder.getActiveObject(kProgId);
    app.get(58);  // the scenario makes the application busy from this call on
    auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::to_wstring(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    };
    try {
        std::wstring version = app.get(58).toText();
        print(L"ok " + elapsed() + L" " + version);
    } catch (const AutomationError& e) {
        print(L"error " + std::to_wstring(e.number()) + L" " + elapsed());
    }
    return 0;
}

int create() {
    korvane::com::ComBinder binder;
    Object app = binder.createObject(kProgId);
    std::wstring version = app.get(58).toText();
    app.call(40);
    print(L"ok " + version);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring which = argc > 1 ? argv[1] : L"";
    try {
        korvane::com::Apartment apartment;
        if (which == L"exchange" && argc > 2) return exchange(argv[2]);
        if (which == L"busy" && argc > 2) return busy(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        if (which == L"create") return create();
    } catch (const AutomationError& e) {
        print(L"error " + std::to_wstring(e.number()) + L" " + e.description());
        return 1;
    }
    print(L"usage: ComFoundationClient exchange TEMPLATE | busy BOUND_MS | create");
    return 64;
}

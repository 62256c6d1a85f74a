#include "model/StateWriter.h"

#include "model/DocumentFormat.h"
#include "model/Session.h"

namespace edgesim {

namespace {

constexpr uint64_t kMegabyte = uint64_t{1024} * 1024;

std::wstring yesNo(bool b) { return b ? L"yes" : L"no"; }

std::wstring indented(std::wstring_view block, std::wstring_view indent) {
    std::wstring out;
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find(L'\n', start);
        if (end == std::wstring_view::npos) end = block.size();
        out += std::wstring(indent) + std::wstring(block.substr(start, end - start)) + L"\n";
        start = end + 1;
    }
    return out;
}

std::wstring groupName(SheetGroupKind group) { return group == SheetGroupKind::Working ? L"working" : L"background"; }

// A document that was never saved has no full name: its short name in brackets stands for it.
std::wstring documentName(const Document& d) {
    return d.fullName().empty() ? L"(" + d.shortName() + L")" : d.fullName();
}

std::wstring documentBlock(const Document& d) {
    std::wstring out = L"document " + documentName(d) + L"\n";
    out += L"  modified " + yesNo(d.modified()) + L"\n";
    if (d.isDrafting()) {
        SheetGroupKind shown = d.showsBackground() ? SheetGroupKind::Background : SheetGroupKind::Working;
        out += L"  view " + groupName(shown) + L"\n";
        if (auto current = d.currentSheet())
            out += L"  current-sheet " + groupName(current->group) + L" " + d.currentSheetData()->name + L"\n";
        else
            out += L"  current-sheet none\n";
        out += L"  selection " + std::to_wstring(d.selection().size()) + L"\n";
        out += L"  title-block-updates " + std::to_wstring(d.titleBlockUpdates()) + L"\n";
    }
    for (const auto& [set, count] : d.allPropertySetSaves())
        out += L"  propertyset-saves " + set + L" " + std::to_wstring(count) + L"\n";
    out += indented(DocumentFormat::format(d.content()), L"  ");
    return out;
}

}  // namespace

std::wstring StateWriter::write(const Session& s) {
    std::wstring out = L"application\n";
    out += L"  version " + s.version + L"\n";
    out += L"  running " + yesNo(s.running) + L"\n";
    out += L"  visible " + yesNo(s.visible) + L"\n";
    out += L"  started " + std::to_wstring(s.startCount) + L"\n";
    out += L"  quit " + yesNo(s.hasQuit()) + L"\n";
    out += L"  ended-abruptly " + yesNo(s.endedAbruptly()) + L"\n";
    for (const auto& [id, value] : s.settings)
        out += L"  setting " + std::to_wstring(id) + L" " + yesNo(value) + L"\n";
    out += L"  idle-calls " + std::to_wstring(s.idleCallCount()) + L"\n";
    out += L"  rejected-calls " + std::to_wstring(s.rejectedCallCount()) + L"\n";
    out += L"  memory-left " + std::to_wstring(s.memory.leftBehind() / kMegabyte) + L" MB\n";
    const auto& active = s.active();
    out += L"  active " + (active ? documentName(*active) : std::wstring(L"none")) + L"\n";
    out += L"  commands";
    for (int32_t c : s.commands()) out += L" " + std::to_wstring(c);
    out += L"\n  clipboard " + std::to_wstring(s.clipboard().size()) + L"\n";
    for (const std::wstring& item : s.clipboard()) out += L"    item " + item + L"\n";
    for (const std::wstring& note : s.notes()) out += L"note " + note + L"\n";
    for (const PromptDesk::Event& e : s.prompts.events())
        out += std::wstring(L"prompt ") + (e.at == DocumentPrompt::At::Open ? L"open " : L"save ") +
               (e.shown ? L"shown " : L"default ") + e.document + L"\n";
    for (const auto& d : s.documents()) out += documentBlock(*d);
    out += L"calls " + std::to_wstring(s.callCount()) + L"\n";
    out += L"lookups " + std::to_wstring(s.nameLookupCount()) + L"\n";
    out += L"log\n";
    for (const CallRecord& r : s.calls()) out += L"  " + r.text() + L"\n";
    return out;
}

std::wstring StateWriter::describeFile(std::wstring_view path, const std::optional<std::wstring>& text) {
    if (!text) return L"file " + std::wstring(path) + L" missing\n";
    return L"file " + std::wstring(path) + L"\n" + indented(DocumentFormat::format(DocumentFormat::parse(*text, path)), L"  ");
}

}  // namespace edgesim

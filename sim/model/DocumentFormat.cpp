#include "model/DocumentFormat.h"

#include "automation/Variant.h"
#include "model/SimError.h"

namespace edgesim {

namespace {

[[noreturn]] void malformed(std::wstring_view source, const TextLine& line, std::wstring_view what) {
    err::raise(err::Fail, L"Ungültige Dokumentdatei " + std::wstring(source) + L", Zeile " +
                              std::to_wstring(line.number) + L": " + std::wstring(what));
}

int32_t number(std::wstring_view text, std::wstring_view source, const TextLine& line) {
    try {
        return korvane::parseLong(text);
    } catch (const korvane::AutomationError&) {
        malformed(source, line, L"Zahl erwartet statt \"" + std::wstring(text) + L"\"");
    }
}

// prompt <open|save> [<text>]
DocumentPrompt prompt(const TextLine& line, std::wstring_view source) {
    const std::wstring_view rest = line.rest;
    const size_t gap = rest.find(L' ');
    const std::wstring_view when = rest.substr(0, gap);
    DocumentPrompt out;
    if (when == L"open") out.at = DocumentPrompt::At::Open;
    else if (when == L"save") out.at = DocumentPrompt::At::Save;
    else malformed(source, line, L"\"prompt open|save <Text>\" erwartet");
    if (gap != std::wstring_view::npos) out.text = std::wstring(rest.substr(gap + 1));
    return out;
}

}  // namespace

DocumentContent DocumentFormat::parse(std::wstring_view text, std::wstring_view source) {
    return parse(TextLines(text).lines(), source);
}

DocumentContent DocumentFormat::parse(const std::vector<TextLine>& lines, std::wstring_view source) {
    DocumentContent content;
    PropertySet* set = nullptr;
    Sheet* sheet = nullptr;
    for (const TextLine& line : lines) {
        if (line.keyword == L"type") {
            content.type = number(line.rest, source, line);
        } else if (line.keyword == L"prompt") {
            content.prompts.push_back(prompt(line, source));
        } else if (line.keyword == L"propertyset") {
            if (line.rest.empty()) malformed(source, line, L"Name des Eigenschaftensatzes fehlt");
            content.propertySets.push_back(PropertySet{line.rest, {}});
            set = &content.propertySets.back();
        } else if (line.keyword == L"property") {
            if (!set) malformed(source, line, L"Eigenschaft außerhalb eines Eigenschaftensatzes");
            size_t eq = line.rest.find(L'=');
            if (eq == std::wstring::npos || eq == 0) malformed(source, line, L"\"Name=Wert\" erwartet");
            set->properties.push_back(Property{line.rest.substr(0, eq), line.rest.substr(eq + 1)});
        } else if (line.keyword == L"sheet") {
            // sheet <working|background> <size> <name...>
            std::wstring_view rest = line.rest;
            size_t gap = rest.find(L' ');
            if (gap == std::wstring_view::npos) malformed(source, line, L"\"sheet <Gruppe> <Größe> <Name>\" erwartet");
            std::wstring_view group = rest.substr(0, gap);
            rest.remove_prefix(gap + 1);
            gap = rest.find(L' ');
            if (gap == std::wstring_view::npos || gap + 1 == rest.size())
                malformed(source, line, L"\"sheet <Gruppe> <Größe> <Name>\" erwartet");
            Sheet added{std::wstring(rest.substr(gap + 1)), number(rest.substr(0, gap), source, line), {}};
            std::vector<Sheet>* target = nullptr;
            if (group == L"working") target = &content.workingSheets;
            else if (group == L"background") target = &content.backgroundSheets;
            else malformed(source, line, L"Blattgruppe \"working\" oder \"background\" erwartet");
            target->push_back(std::move(added));
            sheet = &target->back();
        } else if (line.keyword == L"item") {
            if (!sheet) malformed(source, line, L"Element außerhalb eines Blattes");
            sheet->items.push_back(line.rest);
        } else {
            malformed(source, line, L"unbekannte Anweisung \"" + line.keyword + L"\"");
        }
    }
    return content;
}

std::wstring DocumentFormat::format(const DocumentContent& content) {
    std::wstring out = L"type " + std::to_wstring(content.type) + L"\n";
    for (const DocumentPrompt& p : content.prompts)
        out += std::wstring(p.at == DocumentPrompt::At::Open ? L"prompt open" : L"prompt save") +
               (p.text.empty() ? L"" : L" " + p.text) + L"\n";
    for (const PropertySet& set : content.propertySets) {
        out += L"propertyset " + set.name + L"\n";
        for (const Property& p : set.properties) out += L"  property " + p.name + L"=" + p.value + L"\n";
    }
    auto sheets = [&](const std::vector<Sheet>& group, const wchar_t* groupName) {
        for (const Sheet& s : group) {
            out += L"sheet " + std::wstring(groupName) + L" " + std::to_wstring(s.size) + L" " + s.name + L"\n";
            for (const std::wstring& item : s.items) out += L"  item " + item + L"\n";
        }
    };
    sheets(content.workingSheets, L"working");
    sheets(content.backgroundSheets, L"background");
    return out;
}

}  // namespace edgesim

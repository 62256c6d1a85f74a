#include "model/ScenarioLoader.h"

#include <cstdint>

#include "automation/TextConvert.h"
#include "model/DocumentFormat.h"
#include "model/Session.h"
#include "model/SimError.h"
#include "model/TextLines.h"

namespace edgesim {

namespace {

[[noreturn]] void malformed(const TextLine& line, std::wstring_view what) {
    err::raise(err::Fail, L"Ungültiges Szenario, Zeile " + std::to_wstring(line.number) + L": " + std::wstring(what));
}

// A decimal number, or a hexadecimal one written 0x... (error numbers are often HRESULTs).
int32_t number(const TextLine& line, std::wstring_view text) {
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        uint64_t value = 0;
        for (wchar_t c : text.substr(2)) {
            int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                        : c >= L'a' && c <= L'f' ? c - L'a' + 10
                        : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                 : -1;
            if (digit < 0 || value > 0xFFFFFFFu) malformed(line, L"Hexadezimalzahl erwartet: " + std::wstring(text));
            value = value * 16 + static_cast<uint64_t>(digit);
        }
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    try {
        return korvane::parseLong(text);
    } catch (const korvane::AutomationError&) {
        malformed(line, L"Zahl erwartet: " + std::wstring(text));
    }
}

bool yesNo(const TextLine& line) {
    if (line.rest == L"yes") return true;
    if (line.rest == L"no") return false;
    malformed(line, L"\"yes\" oder \"no\" erwartet");
}

std::wstring joined(const std::vector<std::wstring>& words, size_t from) {
    std::wstring out;
    for (size_t i = from; i < words.size(); ++i) out += (i > from ? L" " : L"") + words[i];
    return out;
}

// fault <object> <member> [at N | from N | always]
//       (error <number> [description] | crash | busy <ms> | hang | nothing | substitute <text>)
Fault parseFault(const TextLine& line) {
    std::vector<std::wstring> w = TextLines::words(line.rest);
    if (w.size() < 3) malformed(line, L"\"fault <Objekt> <Element> ... <Wirkung>\" erwartet");
    Fault fault;
    fault.object = w[0];
    fault.member = w[1];
    size_t i = 2;
    if (w[i] == L"at" || w[i] == L"from") {
        if (i + 1 >= w.size()) malformed(line, L"Nummer des Aufrufs fehlt");
        fault.repeats = w[i] == L"from";
        int32_t at = number(line, w[i + 1]);
        if (at < 1) malformed(line, L"Aufrufe zählen ab 1");
        fault.at = static_cast<size_t>(at);
        i += 2;
    } else if (w[i] == L"always") {
        fault.repeats = true;
        ++i;
    }
    if (i >= w.size()) malformed(line, L"Wirkung fehlt (error, crash, busy, hang, nothing oder substitute)");
    if (w[i] == L"error") {
        if (i + 1 >= w.size()) malformed(line, L"Fehlernummer fehlt");
        fault.action = Fault::Action::Error;
        fault.number = number(line, w[i + 1]);
        fault.description = joined(w, i + 2);
        if (fault.description.empty()) fault.description = korvane::runtimeDescription(fault.number);
    } else if (w[i] == L"crash" && i + 1 == w.size()) {
        fault.action = Fault::Action::Crash;
    } else if (w[i] == L"busy" && i + 2 == w.size()) {
        fault.action = Fault::Action::Busy;
        fault.busyMilliseconds = number(line, w[i + 1]);
    } else if (w[i] == L"hang" && i + 1 == w.size()) {
        fault.action = Fault::Action::Hang;
    } else if (w[i] == L"nothing" && i + 1 == w.size()) {
        fault.action = Fault::Action::Nothing;
    } else if (w[i] == L"substitute" && i + 2 == w.size()) {
        fault.action = Fault::Action::Substitute;
        fault.substitute = w[i + 1];
    } else {
        malformed(line, L"Wirkung \"error <Nummer> [Beschreibung]\", \"crash\", \"busy <ms>\", \"hang\", \"nothing\" oder "
                        L"\"substitute <Text>\" erwartet");
    }
    return fault;
}

// <n> KB | <n> MB: an amount of memory in bytes.
uint64_t bytes(const TextLine& line) {
    std::vector<std::wstring> w = TextLines::words(line.rest);
    const int32_t amount = w.size() == 2 ? number(line, w[0]) : -1;
    if (amount < 0 || (w[1] != L"KB" && w[1] != L"MB")) malformed(line, L"\"<Zahl> KB\" oder \"<Zahl> MB\" erwartet");
    return static_cast<uint64_t>(amount) * (w[1] == L"KB" ? 1024u : 1024u * 1024u);
}

// refuse-add <name | *> [<number> [description]]
AddRefusal parseRefusal(const TextLine& line) {
    std::vector<std::wstring> w = TextLines::words(line.rest);
    if (w.empty()) malformed(line, L"Name der abgelehnten Eigenschaft fehlt");
    AddRefusal refusal{w[0], err::AccessDenied, L"Zugriff verweigert."};
    if (w.size() > 1) {
        refusal.number = number(line, w[1]);
        refusal.description = w.size() > 2 ? joined(w, 2) : korvane::runtimeDescription(refusal.number);
    }
    return refusal;
}

}  // namespace

void ScenarioLoader::load(Session& session, std::wstring_view text) {
    const std::vector<TextLine> lines = TextLines(text).lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        const std::wstring& k = line.keyword;
        if (k == L"file" || k == L"document") {
            size_t end = i + 1;
            while (end < lines.size() && lines[end].keyword != L"end") ++end;
            if (end == lines.size()) malformed(line, L"\"end\" fehlt");
            std::vector<TextLine> block(lines.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                        lines.begin() + static_cast<std::ptrdiff_t>(end));
            DocumentContent content = DocumentFormat::parse(block, line.rest.empty() ? L"(neu)" : line.rest);
            if (k == L"file") {
                if (line.rest.empty()) malformed(line, L"Dateiname fehlt");
                session.store().inlineFiles().write(line.rest, DocumentFormat::format(content));
            } else {
                if (session.find(line.rest)) malformed(line, L"Dokument ist schon offen: " + line.rest);
                session.activate(session.adopt(line.rest, std::move(content)));
            }
            i = end;
        } else if (k == L"open") {
            // Open before the run: whatever it asked was answered then.
            session.open(line.rest, false);
        } else if (k == L"active") {
            if (line.rest == L"none") {
                session.deactivate();
            } else {
                auto document = session.find(line.rest);
                if (!document) malformed(line, L"kein offenes Dokument " + line.rest);
                session.activate(document);
            }
        } else if (k == L"version") {
            session.version = line.rest;
        } else if (k == L"running") {
            session.running = yesNo(line);
        } else if (k == L"startable") {
            session.startable = yesNo(line);
        } else if (k == L"setting") {
            std::vector<std::wstring> w = TextLines::words(line.rest);
            if (w.size() != 2 || (w[1] != L"yes" && w[1] != L"no")) malformed(line, L"\"setting <Nummer> yes|no\" erwartet");
            session.settings[number(line, w[0])] = w[1] == L"yes";
        } else if (k == L"fault") {
            session.faults.push_back(parseFault(line));
        } else if (k == L"memory-per-open") {
            session.memory.perOpen = bytes(line);
        } else if (k == L"working-set-limit") {
            session.memory.ceiling = bytes(line);
        } else if (k == L"refuse-add") {
            session.addRefusals.push_back(parseRefusal(line));
        } else {
            malformed(line, L"unbekannte Anweisung \"" + k + L"\"");
        }
    }
}

}  // namespace edgesim

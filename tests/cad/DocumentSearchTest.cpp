// Finding open documents by file name: both sides in UNC form, compared with regard to case.
#include <string>
#include <vector>

#include "TestSupport.h"
#include "cad/CadFixture.h"
#include "cad/clsSolidEdge.h"

namespace korvane::test {
namespace {

class DocumentSearch : public CadFixture {};

enum class Walk { Save, Close };

struct WalkCase {
    const char* what;
    Walk walk;
    std::vector<std::wstring> open;  // "" is an unsaved new document
    std::wstring wanted;
    bool result;
    std::vector<std::wstring> handled;  // documents saved or closed, in the order it happened
};

const std::vector<WalkCase> kWalkCases = {
    {"drive path and UNC path name one file", Walk::Close, {L"Z:\\p\\a.dft", L"\\\\srv\\share\\p\\b.dft"},
     L"\\\\srv\\share\\p\\a.dft", true, {L"Document(Z:\\p\\a.dft)"}},
    {"letter case of the path counts", Walk::Close, {L"\\\\srv\\share\\P\\a.dft"}, L"Z:\\p\\a.dft", false, {}},
    {"a local drive keeps its letter's case", Walk::Close, {L"c:\\p\\a.dft"}, L"C:\\p\\a.dft", false, {}},
    {"first and third match, handled from the top down", Walk::Close,
     {L"Z:\\p\\a.dft", L"Z:\\p\\b.dft", L"\\\\srv\\share\\p\\a.dft"}, L"Z:\\p\\a.dft", true,
     {L"Document(\\\\srv\\share\\p\\a.dft)", L"Document(Z:\\p\\a.dft)"}},
    {"an unsaved document between matches is passed over", Walk::Close,
     {L"Z:\\p\\a.dft", L"", L"\\\\srv\\share\\p\\a.dft"}, L"Z:\\p\\a.dft", true,
     {L"Document(\\\\srv\\share\\p\\a.dft)", L"Document(Z:\\p\\a.dft)"}},
    {"an unsaved document does not stop saving", Walk::Save, {L"Z:\\p\\a.dft", L""}, L"Z:\\p\\a.dft", true,
     {L"Document(Z:\\p\\a.dft)"}},
    {"an unconvertible wanted name leaves unsaved documents alone", Walk::Close, {L"", L"1:\\q\\b.dft"},
     L"2:\\x.dft", false, {}},
};

TEST_F(DocumentSearch, WalksEveryOpenDocument) {
    for (const auto& c : kWalkCases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<std::wstring, int32_t>> docs;
        for (const auto& name : c.open) docs.emplace_back(name, doctype::Draft);
        startApplication(runningWith(docs));
        bool result = false;
        {
            clsSolidEdge se(binder(), drives());
            result = c.walk == Walk::Save ? se.speichereSolidEdgeDokument(c.wanted)
                                          : se.schlieseSolidEdgeDokument(c.wanted);
        }
        EXPECT_EQ(result, c.result) << "result differed";
        std::vector<std::wstring> handled;
        for (auto& call : callsOf({c.walk == Walk::Save ? L"Save" : L"Close"}))
            handled.push_back(call.substr(0, call.find(L' ')));
        EXPECT_EQ(handled, c.handled) << "documents handled differed";
        if (c.walk == Walk::Close) {
            for (const auto& call : callsOf({L"Close"}))
                EXPECT_NE(call.find(L"(Bool False)"), std::wstring::npos) << "closed with saving: " << call;
            EXPECT_EQ(sim().documents().size(), c.open.size() - c.handled.size()) << "open documents differed";
        }
    }
}

TEST_F(DocumentSearch, FailuresReachTheCaller) {
    // A wanted name too short to convert fails before the application is asked anything.
    startApplication(runningWith({{L"Z:\\p\\a.dft", doctype::Draft}}));
    EXPECT_EQ(test::errorOf([this] { clsSolidEdge(binder(), drives()).schlieseSolidEdgeDokument(L"Z"); }), rt::InvalidArgument)
        << "a one-character name";
    EXPECT_EQ(bindings(), 0u) << "bound before converting the name";

    // A document that fails to tell its name ends the walk; higher positions are done by then.
    startApplication(runningWith({{L"Z:\\p\\a.dft", doctype::Draft}, {L"Z:\\p\\b.dft", doctype::Draft},
                                  {L"\\\\srv\\share\\p\\a.dft", doctype::Draft}},
                                 L"fault Document(Z:\\p\\b.dft) FullName error 440 Nicht verfügbar\n"));
    EXPECT_EQ(test::errorOf([this] { clsSolidEdge(binder(), drives()).schlieseSolidEdgeDokument(L"Z:\\p\\a.dft"); }), 440)
        << "a failing name read";
    EXPECT_EQ(openDocumentNames(), (std::vector<std::wstring>{L"Z:\\p\\a.dft", L"Z:\\p\\b.dft"}));

    // A document the look-up has to open and cannot.
    startApplication(runningWith({}));
    EXPECT_EQ(test::errorOf([this] { clsSolidEdge(binder(), drives()).liefereSolidEdgeAssemblyDokument(L"Z:\\p\\fehlt.asm"); }),
              static_cast<int32_t>(0x80004005u));
}

struct LookupCase {
    const char* what;
    bool assembly;                                        // which look-up
    std::vector<std::pair<std::wstring, int32_t>> open;   // name, type
    std::wstring fileOnDisk;                              // "" none; else opened with the wanted type
    int32_t typeOnDisk;
    std::wstring wanted;
    std::wstring found;   // full name of the returned document, "" for Nothing
    size_t opens;         // documents member 6 calls
};

const std::vector<LookupCase> kLookupCases = {
    {"open assembly found by its UNC name", true, {{L"Z:\\p\\b.par", 1}, {L"Z:\\p\\a.asm", 3}}, L"", 0,
     L"\\\\srv\\share\\p\\a.asm", L"Z:\\p\\a.asm", 0},
    {"part of the wanted name is no assembly", true, {{L"\\\\srv\\share\\p\\a.par", 1}}, L"", 0,
     L"Z:\\p\\a.par", L"", 1},
    {"assembly not open is opened", true, {}, L"\\\\srv\\share\\p\\a.asm", 3, L"Z:\\p\\a.asm",
     L"\\\\srv\\share\\p\\a.asm", 1},
    {"part not open is opened, and opened again for the result", false, {{L"Z:\\p\\x.asm", 3}},
     L"\\\\srv\\share\\p\\a.par", 1, L"Z:\\p\\a.par", L"\\\\srv\\share\\p\\a.par", 2},
    {"a drawing opened for the part look-up is not returned", false, {}, L"\\\\srv\\share\\p\\a.par", 2,
     L"Z:\\p\\a.par", L"", 1},
    {"open part found without opening it", false, {{L"Z:\\p\\x.asm", 3}, {L"\\\\srv\\share\\p\\a.par", 1}}, L"", 0,
     L"Z:\\p\\a.par", L"\\\\srv\\share\\p\\a.par", 0},
    {"of two assemblies of the name the one at position 1", true,
     {{L"Z:\\p\\a.asm", 3}, {L"\\\\srv\\share\\p\\a.asm", 3}}, L"", 0, L"Z:\\p\\a.asm", L"Z:\\p\\a.asm", 0},
    {"of two assemblies of the name the one at position 1, other order", true,
     {{L"\\\\srv\\share\\p\\a.asm", 3}, {L"Z:\\p\\a.asm", 3}}, L"", 0, L"Z:\\p\\a.asm",
     L"\\\\srv\\share\\p\\a.asm", 0},
    {"the part of the name, past a drawing of the name at position 1", false,
     {{L"Z:\\p\\a.par", 2}, {L"\\\\srv\\share\\p\\a.par", 1}}, L"", 0, L"Z:\\p\\a.par",
     L"\\\\srv\\share\\p\\a.par", 0},
    {"unsaved documents are passed over", true, {{L"", 3}, {L"Z:\\p\\a.asm", 3}}, L"", 0, L"Z:\\p\\a.asm",
     L"Z:\\p\\a.asm", 0},
};

TEST_F(DocumentSearch, FindsOrOpensAssembliesAndParts) {
    for (const auto& c : kLookupCases) {
        SCOPED_TRACE(c.what);
        std::wstring disk;
        if (!c.fileOnDisk.empty())
            disk = L"file " + c.fileOnDisk + L"\ntype " + std::to_wstring(c.typeOnDisk) + L"\nend\n";
        startApplication(runningWith(c.open, disk));
        clsSolidEdge se(binder(), drives());
        Object doc = c.assembly ? se.liefereSolidEdgeAssemblyDokument(c.wanted)
                                : se.liefereSolidEdgePartDokument(c.wanted);
        std::wstring found = doc.isNothing() ? L"" : doc.get(L"FullName").toText();
        EXPECT_EQ(found, c.found) << "returned document differed";
        EXPECT_EQ(callsOf({L"Open"}).size(), c.opens) << "open calls differed";
        for (const auto& call : callsOf({L"Open"}))
            EXPECT_NE(call.find(L"\\\\srv\\share"), std::wstring::npos) << "opened without UNC form: " << call;
    }
}

}  // namespace
}  // namespace korvane::test

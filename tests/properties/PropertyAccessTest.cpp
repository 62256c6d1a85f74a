// Reading and writing single properties: every failure ends in "" or in no effect, never in an error.
#include <string>
#include <vector>

#include "properties/PropertiesFixture.h"
#include "properties/clsSEEigenschaften.h"

namespace korvane::test {
namespace {

class PropertyAccess : public PropertiesFixture {};

constexpr wchar_t kSets[] =
    L"propertyset Custom\nproperty Teil=4711\nproperty Leer=\nproperty Blank= \npropertyset Project\n"
    L"property ProjectName=Welle";

struct ReadCase {
    const wchar_t* set;
    const wchar_t* name;
    const wchar_t* value;
};

TEST_F(PropertyAccess, Reads) {
    const std::vector<ReadCase> cases = {
        {L"Custom", L"Teil", L"4711"},    {L"Project", L"ProjectName", L"Welle"},
        {L"Custom", L"Blank", L" "},      {L"Custom", L"Leer", L""},
        {L"Custom", L"Fehlt", L""},       {L"Gibtsnicht", L"Teil", L""},
        {L"Project", L"Teil", L""},
    };
    for (const auto& c : cases) {
        Object document = openDocument(kSets);
        const auto before = content();
        clsSEEigenschaften props;
        EXPECT_EQ(props.lieferePropertie(document, c.set, c.name), c.value) << c.set << "/" << c.name;
        EXPECT_EQ(content(), before) << "reading " << c.set << "/" << c.name << " changed the document";
    }
}

TEST_F(PropertyAccess, ReadsFromNoDocumentGiveEmptyText) {
    clsSEEigenschaften props;
    EXPECT_EQ(props.lieferePropertie(Object(), L"Custom", L"Teil"), L"");
    Object document = openDocument(kSets, L"fault Property 2 error 440 Wert nicht lesbar\n");
    EXPECT_EQ(props.lieferePropertie(document, L"Custom", L"Teil"), L"") << "a failing value read gave text";
    EXPECT_EQ(props.lieferePropertie(document, L"Custom", L"Teil"), L"4711") << "the next read was affected";
}

struct WriteCase {
    const char* what;
    const wchar_t* set;
    const wchar_t* name;
    const wchar_t* extra;                 // scenario lines after the document
    std::vector<std::wstring> expected;   // content afterwards
    std::vector<std::wstring> calls;      // property-object calls
};

const std::vector<WriteCase> kWriteCases = {
    {"an existing property gets the value",
     L"Custom", L"Teil", L"",
     {L"Custom", L"Custom/Teil=neu"},
     {L"PropertySets(zeichnung.dft) Item(Text \"Custom\")", L"PropertySet(zeichnung.dft/Custom) Item(Text \"Teil\")",
      L"Property(zeichnung.dft/Custom/Teil) Value(Text \"neu\")"}},
    {"a missing property is added, name first",
     L"Custom", L"Neu", L"",
     {L"Custom", L"Custom/Teil=4711", L"Custom/Neu=neu"},
     {L"PropertySets(zeichnung.dft) Item(Text \"Custom\")", L"PropertySet(zeichnung.dft/Custom) Item(Text \"Neu\")",
      L"PropertySet(zeichnung.dft/Custom) Add(Text \"Neu\", Text \"neu\")"}},
    {"a missing set is not created",
     L"Gibtsnicht", L"Neu", L"",
     {L"Custom", L"Custom/Teil=4711"},
     {L"PropertySets(zeichnung.dft) Item(Text \"Gibtsnicht\")"}},
    {"a refused addition changes nothing",
     L"Custom", L"Neu", L"refuse-add Neu\n",
     {L"Custom", L"Custom/Teil=4711"},
     {L"PropertySets(zeichnung.dft) Item(Text \"Custom\")", L"PropertySet(zeichnung.dft/Custom) Item(Text \"Neu\")",
      L"PropertySet(zeichnung.dft/Custom) Add(Text \"Neu\", Text \"neu\")"}},
};

TEST_F(PropertyAccess, Writes) {
    for (const auto& c : kWriteCases) {
        SCOPED_TRACE(c.what);
        Object document = openDocument(L"propertyset Custom\nproperty Teil=4711", c.extra);
        clsSEEigenschaften props;
        props.schreibePropertie(document, c.set, c.name, L"neu");
        EXPECT_EQ(content(), c.expected) << "document content differed";
        EXPECT_EQ(propertyCalls(), c.calls) << "calls on the property objects differed";
    }
}

}  // namespace
}  // namespace korvane::test

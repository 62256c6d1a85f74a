// Single properties and the SAP look-ups on a drawing in the simulated application: every failure ends
// in "" or in no effect, never in an error; a look-up takes the first source with a text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Dispatch.h"
#include "model/Simulator.h"
#include "properties/clsSEEigenschaften.h"

namespace korvane::test {
namespace {

// The document comes from openDocument(), the one place where another host of the application could be put in.
class Properties : public ::testing::Test {
protected:
    // `properties` are document-format lines ("propertyset Custom", "property Name=Value").
    Object openDocument(std::wstring_view properties, std::wstring_view extra = {}) {
        sim_ = edgesim::Simulator::fromScenario(L"running yes\ndocument Z:\\p\\zeichnung.dft\ntype 2\n" +
                                                std::wstring(properties) + L"\nend\n" + std::wstring(extra));
        return sim_->application().getObject(2);
    }

    // The property sets and properties of the drawing, one "set/name=value" per property.
    std::vector<std::wstring> content() const {
        std::vector<std::wstring> out;
        for (const auto& set : sim_->documents().front()->content().propertySets) {
            out.push_back(set.name);
            for (const auto& p : set.properties) out.push_back(set.name + L"/" + p.name + L"=" + p.value);
        }
        return out;
    }

private:
    std::shared_ptr<edgesim::Simulator> sim_;
};

constexpr wchar_t kSets[] =
    L"propertyset Custom\nproperty Teil=4711\nproperty Leer=\nproperty Blank= \npropertyset Project\n"
    L"property ProjectName=Welle";

TEST_F(Properties, Reads) {
    const struct {
        const wchar_t* set;
        const wchar_t* name;
        const wchar_t* value;
    } cases[] = {
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

TEST_F(Properties, ReadsFromNoDocumentGiveEmptyText) {
    clsSEEigenschaften props;
    EXPECT_EQ(props.lieferePropertie(Object(), L"Custom", L"Teil"), L"");
    Object document = openDocument(kSets, L"fault Property 2 error 440 Wert nicht lesbar\n");
    EXPECT_EQ(props.lieferePropertie(document, L"Custom", L"Teil"), L"") << "a failing value read gave text";
    EXPECT_EQ(props.lieferePropertie(document, L"Custom", L"Teil"), L"4711") << "the next read was affected";
}

TEST_F(Properties, Writes) {
    const struct {
        const char* what;
        const wchar_t* set;
        const wchar_t* name;
        const wchar_t* extra;                // scenario lines after the document
        std::vector<std::wstring> expected;  // content afterwards
    } cases[] = {
        {"an existing property gets the value", L"Custom", L"Teil", L"", {L"Custom", L"Custom/Teil=neu"}},
        {"a missing property is added, name first", L"Custom", L"Neu", L"",
         {L"Custom", L"Custom/Teil=4711", L"Custom/Neu=neu"}},
        {"a missing set is not created", L"Gibtsnicht", L"Neu", L"", {L"Custom", L"Custom/Teil=4711"}},
        {"a refused addition changes nothing", L"Custom", L"Neu", L"refuse-add Neu\n", {L"Custom", L"Custom/Teil=4711"}},
    };
    for (const auto& c : cases) {
        Object document = openDocument(L"propertyset Custom\nproperty Teil=4711", c.extra);
        clsSEEigenschaften props;
        props.schreibePropertie(document, c.set, c.name, L"neu");
        EXPECT_EQ(content(), c.expected) << c.what;
    }
}

using Lookup = std::wstring (clsSEEigenschaften::*)(const Object&);

struct LookupCase {
    const char* what;
    Lookup lookup;
    const wchar_t* properties;  // document-format lines
    const wchar_t* expected;
};

TEST_F(Properties, ComposedNumberAndFirstFoundValues) {
    const auto dis = &clsSEEigenschaften::liefereDISNummer;
    const auto designation = &clsSEEigenschaften::liefereBenennung;
    const auto material = &clsSEEigenschaften::liefereMaterialNummer;
    const std::vector<LookupCase> cases = {
        {"DIS: all four", dis, L"propertyset Custom\nproperty SAPType=T\nproperty SAPName=ABCDEFGHIJ\n"
                               L"property SAPPart=P\nproperty SAPVersion=V", L"T DEFGHIJ P V"},
        {"DIS: short name goes in whole", dis, L"propertyset Custom\nproperty SAPType=DRW\nproperty SAPName=ABCD\n"
                                               L"property SAPPart=000\nproperty SAPVersion=01", L"DRW ABCD 000 01"},
        {"DIS: nothing there keeps the three blanks", dis, L"propertyset Custom", L"   "},
        {"DIS: values are not trimmed", dis, L"propertyset Custom\nproperty SAPType= T \nproperty SAPVersion=V ",
         L" T    V "},
        {"designation: description first", designation,
         L"propertyset Custom\nproperty SAPDescription=Welle\npropertyset Project\nproperty ProjectName=Projekt",
         L"Welle"},
        {"designation: project name when the description is empty", designation,
         L"propertyset Custom\nproperty SAPDescription=\npropertyset Project\nproperty ProjectName=Projekt",
         L"Projekt"},
        {"designation: a blank counts as found", designation,
         L"propertyset Custom\nproperty SAPDescription= \npropertyset Project\nproperty ProjectName=Projekt", L" "},
        {"designation: neither source", designation, L"propertyset Custom\npropertyset Project", L""},
        {"material: drawing property first", material,
         L"propertyset Custom\nproperty DRAWING-MARA-MATNR=100\nproperty QX_Materialnummer=200", L"100"},
        {"material: empty drawing property is passed over", material,
         L"propertyset Custom\nproperty DRAWING-MARA-MATNR=\nproperty QX_Materialnummer=200", L"200"},
        {"material: then the Sachnummer", material,
         L"propertyset Custom\nproperty QX_Sachnummer=300\npropertyset ProjectInformation\nproperty DokumentNummer=400",
         L"300"},
        {"material: German spelling before English", material,
         L"propertyset ProjectInformation\nproperty Documentnumber=500\nproperty DokumentNummer=400", L"400"},
        {"material: only the English spelling", material,
         L"propertyset ProjectInformation\nproperty Documentnumber=500", L"500"},
        {"material: no source", material, L"propertyset Custom\nproperty QX_Materialnr=1", L""},
    };
    for (const auto& c : cases) {
        Object document = openDocument(c.properties);
        clsSEEigenschaften props;
        EXPECT_EQ((props.*c.lookup)(document), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace korvane::test

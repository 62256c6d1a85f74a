// The SAP look-ups: the composed document-info number and the "first found source wins" rule.
#include <string>
#include <vector>

#include "properties/PropertiesFixture.h"
#include "properties/clsSEEigenschaften.h"

namespace korvane::test {
namespace {

class SapLookup : public PropertiesFixture {};

using Lookup = std::wstring (clsSEEigenschaften::*)(const Object&);

struct LookupCase {
    const char* what;
    Lookup lookup;
    const wchar_t* properties;  // document-format lines
    const wchar_t* expected;
};

TEST_F(SapLookup, ComposedNumberAndFirstFoundValues) {
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

// The property names asked for, in order, as "set/name" (the set a property is asked in).
std::vector<std::wstring> askedFor(const std::vector<std::wstring>& calls) {
    std::vector<std::wstring> out;
    for (const auto& c : calls) {
        if (c.rfind(L"PropertySet(", 0) != 0 || c.find(L" Item(") == std::wstring::npos) continue;
        auto set = c.substr(c.find(L'/') + 1, c.find(L')') - c.find(L'/') - 1);
        auto name = c.substr(c.find(L"Text \"") + 6);
        out.push_back(set + L"/" + name.substr(0, name.find(L'"')));
    }
    return out;
}

TEST_F(SapLookup, SourcesAreAskedInOrderUntilOneIsFound) {
    const wchar_t* allSets = L"propertyset Custom\npropertyset Project\npropertyset ProjectInformation";
    clsSEEigenschaften props;

    props.liefereMaterialNummer(openDocument(allSets));
    EXPECT_EQ(askedFor(propertyCalls()),
              (std::vector<std::wstring>{L"Custom/DRAWING-MARA-MATNR", L"Custom/QX_Materialnummer", L"Custom/QX_Sachnummer",
                                         L"ProjectInformation/DokumentNummer", L"ProjectInformation/Documentnumber"}));

    props.liefereMaterialNummer(
        openDocument(L"propertyset Custom\nproperty QX_Materialnummer=200\nproperty QX_Sachnummer=300"));
    EXPECT_EQ(askedFor(propertyCalls()),
              (std::vector<std::wstring>{L"Custom/DRAWING-MARA-MATNR", L"Custom/QX_Materialnummer"}))
        << "went on after a found source";

    props.liefereBenennung(openDocument(allSets));
    EXPECT_EQ(askedFor(propertyCalls()), (std::vector<std::wstring>{L"Custom/SAPDescription", L"Project/ProjectName"}));

    props.liefereDISNummer(openDocument(allSets));
    EXPECT_EQ(askedFor(propertyCalls()), (std::vector<std::wstring>{L"Custom/SAPName", L"Custom/SAPType",
                                                                    L"Custom/SAPPart", L"Custom/SAPVersion"}));
}

}  // namespace
}  // namespace korvane::test

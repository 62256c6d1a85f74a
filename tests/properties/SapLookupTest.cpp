// The SAP look-ups: the composed document-info number and the "first found source wins" rule.
#include <string>
#include <vector>

#include "properties/PropertiesFixture.h"
#include "properties/clsSEEigenschaften.h"

namespace korvane::testing {
namespace {

class SapLookup : public PropertiesFixture {};

struct LookupCase {
    const char* what;
    const wchar_t* properties;  // document-format lines
    const wchar_t* expected;
};

TEST_F(SapLookup, DocumentInfoNumber) {
    const std::vector<LookupCase> cases = {
        {"all four", L"propertyset Custom\nproperty SAPType=T\nproperty SAPName=ABCDEFGHIJ\nproperty SAPPart=P\n"
                     L"property SAPVersion=V", L"T DEFGHIJ P V"},
        {"short name goes in whole", L"propertyset Custom\nproperty SAPType=DRW\nproperty SAPName=ABCD\n"
                                     L"property SAPPart=000\nproperty SAPVersion=01", L"DRW ABCD 000 01"},
        {"nothing there keeps the three blanks", L"propertyset Custom", L"   "},
        {"values are not trimmed", L"propertyset Custom\nproperty SAPType= T \nproperty SAPVersion=V ", L" T    V "},
    };
    for (const auto& c : cases) {
        Object document = openDocument(c.properties);
        clsSEEigenschaften props;
        EXPECT_EQ(props.liefereDISNummer(document), c.expected) << c.what;
    }
}

TEST_F(SapLookup, Designation) {
    const std::vector<LookupCase> cases = {
        {"description first", L"propertyset Custom\nproperty SAPDescription=Welle\npropertyset Project\n"
                              L"property ProjectName=Projekt", L"Welle"},
        {"project name when the description is empty", L"propertyset Custom\nproperty SAPDescription=\n"
                                                       L"propertyset Project\nproperty ProjectName=Projekt", L"Projekt"},
        {"a blank counts as found", L"propertyset Custom\nproperty SAPDescription= \npropertyset Project\n"
                                    L"property ProjectName=Projekt", L" "},
        {"neither source", L"propertyset Custom\npropertyset Project", L""},
    };
    for (const auto& c : cases) {
        Object document = openDocument(c.properties);
        clsSEEigenschaften props;
        EXPECT_EQ(props.liefereBenennung(document), c.expected) << c.what;
    }
}

TEST_F(SapLookup, MaterialNumber) {
    const std::vector<LookupCase> cases = {
        {"drawing property first", L"propertyset Custom\nproperty DRAWING-MARA-MATNR=100\n"
                                   L"property QX_Materialnummer=200", L"100"},
        {"empty drawing property is passed over", L"propertyset Custom\nproperty DRAWING-MARA-MATNR=\n"
                                                  L"property QX_Materialnummer=200", L"200"},
        {"German spelling before English", L"propertyset ProjectInformation\nproperty Documentnumber=500\n"
                                           L"property DokumentNummer=400", L"400"},
        {"only the English spelling", L"propertyset ProjectInformation\nproperty Documentnumber=500", L"500"},
        {"no source", L"propertyset Custom\nproperty QX_Materialnr=1", L""},
    };
    for (const auto& c : cases) {
        Object document = openDocument(c.properties);
        clsSEEigenschaften props;
        EXPECT_EQ(props.liefereMaterialNummer(document), c.expected) << c.what;
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
}  // namespace korvane::testing

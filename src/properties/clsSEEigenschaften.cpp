#include "properties/clsSEEigenschaften.h"

#include <array>
#include <span>

#include "automation/ErrorPolicy.h"
#include "cad/MemberIds.h"

namespace korvane {

namespace {

namespace props = member::properties;

struct Source {
    const wchar_t* set;
    const wchar_t* property;
};

// The sources of each look-up in the order they are tried; the first one with a text wins.
constexpr std::array<Source, 2> kDesignationSources{{
    {L"Custom", L"SAPDescription"},
    {L"Project", L"ProjectName"},
}};

// The German and the English spelling of the document number are both in use.
constexpr std::array<Source, 5> kMaterialNumberSources{{
    {L"Custom", L"DRAWING-MARA-MATNR"},
    {L"Custom", L"QX_Materialnummer"},
    {L"Custom", L"QX_Sachnummer"},
    {L"ProjectInformation", L"DokumentNummer"},
    {L"ProjectInformation", L"Documentnumber"},
}};

// The last n characters, or all of them when the text is shorter.
std::wstring lastCharacters(const std::wstring& text, std::wstring::size_type n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

}  // namespace

std::wstring clsSEEigenschaften::liefereDISNummer(const Object& SeDokument) {
    // Failure policy: neutral result; the reads already give "" for anything missing, so the
    // three blanks always stand.
    const std::wstring name = lieferePropertie(SeDokument, L"Custom", L"SAPName");
    const std::wstring type = lieferePropertie(SeDokument, L"Custom", L"SAPType");
    const std::wstring part = lieferePropertie(SeDokument, L"Custom", L"SAPPart");
    const std::wstring version = lieferePropertie(SeDokument, L"Custom", L"SAPVersion");
    return type + L" " + lastCharacters(name, 7) + L" " + part + L" " + version;
}

namespace {

std::wstring firstFound(clsSEEigenschaften& properties, const Object& document, std::span<const Source> sources) {
    for (const Source& source : sources) {
        std::wstring text = properties.lieferePropertie(document, source.set, source.property);
        if (!text.empty()) return text;
    }
    return std::wstring();
}

}  // namespace

std::wstring clsSEEigenschaften::liefereBenennung(const Object& SeDokument) {
    // Failure policy: neutral result (first found source, else "").
    return firstFound(*this, SeDokument, kDesignationSources);
}

std::wstring clsSEEigenschaften::liefereMaterialNummer(const Object& SeDokument) {
    // Failure policy: neutral result (first found source, else "").
    return firstFound(*this, SeDokument, kMaterialNumberSources);
}

std::wstring clsSEEigenschaften::lieferePropertie(const Object& SeDokument, const std::wstring& sPropertySet,
                                                  const std::wstring& sPropertyName) {
    // Failure policy: record and skip; any recorded failure gives "" and is dropped here.
    ErrorRecord record;
    Object sets;
    Object set;
    Object property;
    std::wstring value;
    record.attempt([&] { sets = SeDokument.getObject(L"Properties"); });
    record.attempt([&] { set = sets.callObject(props::SetsItem, {Variant(sPropertySet)}); });
    record.attempt([&] { property = set.callObject(props::SetItem, {Variant(sPropertyName)}); });
    record.attempt([&] { value = property.get(props::Value).toText(); });
    if (record.failed()) return std::wstring();
    return value;
}

void clsSEEigenschaften::schreibePropertie(const Object& SeDokument, const std::wstring& sPropertySet,
                                           const std::wstring& sPropertyName, const std::wstring& sWert) {
    // Failure policy: record and skip; a failed write falls back to adding the property to the
    // set, and a failed addition gives way to a neutral result. A missing set is never created.
    ErrorRecord record;
    Object sets;
    Object set;
    Object property;
    record.attempt([&] { sets = SeDokument.getObject(L"Properties"); });
    record.attempt([&] { set = sets.callObject(props::SetsItem, {Variant(sPropertySet)}); });
    record.attempt([&] { property = set.callObject(props::SetItem, {Variant(sPropertyName)}); });
    record.attempt([&] { property.put(props::Value, Variant(sWert)); });
    if (!record.failed()) return;
    swallow([&] { set.call(props::SetAdd, {Variant(sPropertyName), Variant(sWert)}); });
}

}  // namespace korvane

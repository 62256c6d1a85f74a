#pragma once
// Reading and writing one named property in one named property set of a CAD document,
// and the SAP look-ups built on it. No operation lets a failure reach its caller.
#include <string>

#include "automation/Dispatch.h"

namespace korvane {

class clsSEEigenschaften {
public:
    std::wstring liefereDISNummer(const Object& SeDokument);
    std::wstring liefereBenennung(const Object& SeDokument);
    std::wstring liefereMaterialNummer(const Object& SeDokument);
    std::wstring lieferePropertie(const Object& SeDokument, const std::wstring& sPropertySet,
                                  const std::wstring& sPropertyName);
    void schreibePropertie(const Object& SeDokument, const std::wstring& sPropertySet,
                           const std::wstring& sPropertyName, const std::wstring& sWert);
};

}  // namespace korvane

#pragma once
// A drawing with property sets in the simulated application; the document comes from
// openDocument(), the one place where another host of the application could be put in.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Dispatch.h"
#include "model/Simulator.h"

namespace korvane::test {

class PropertiesFixture : public ::testing::Test {
protected:
    // `properties` are document-format lines ("propertyset Custom", "property Name=Value").
    Object openDocument(std::wstring_view properties, std::wstring_view extra = {}) {
        sim_ = edgesim::Simulator::fromScenario(L"running yes\ndocument Z:\\p\\zeichnung.dft\ntype 2\n" +
                                                std::wstring(properties) + L"\nend\n" + std::wstring(extra));
        Object document = sim_->application().getObject(2);
        logStart_ = sim_->calls().size();
        return document;
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

    // The member calls on property objects since the document was opened, as "<object> <member>(<args>)".
    std::vector<std::wstring> propertyCalls() const {
        std::vector<std::wstring> out;
        const auto& calls = sim_->calls();
        for (size_t i = logStart_; i < calls.size(); ++i) {
            const auto& c = calls[i];
            if (c.kind == edgesim::CallKind::Lookup || c.objectKind == L"Document") continue;
            std::wstring line = c.object + L" " + c.member + L"(";
            for (size_t a = 0; a < c.arguments.size(); ++a) line += (a ? L", " : L"") + c.arguments[a];
            out.push_back(line + L")");
        }
        return out;
    }

private:
    std::shared_ptr<edgesim::Simulator> sim_;
    size_t logStart_ = 0;
};

}  // namespace korvane::test

#pragma once
// Switches the CAD application's screen updating (setting 29) back on when the scope is left by
// an error. The exchange turns the setting off for its duration; without this a failed exchange
// would leave the user with a frozen CAD display. The normal path switches it on itself.
#include <exception>

#include "automation/Dispatch.h"
#include "automation/Variant.h"
#include "cad/MemberIds.h"

namespace korvane {

class ScreenUpdatingRestore {
public:
    explicit ScreenUpdatingRestore(const Object& application)
        : application_(application), exceptionsAtEntry_(std::uncaught_exceptions()) {}

    ~ScreenUpdatingRestore() {
        if (std::uncaught_exceptions() <= exceptionsAtEntry_) return;
        // The error that unwinds us is the one the caller must see; a second failure here is dropped.
        try {
            application_.put(member::application::ScreenUpdating, Variant::boolean(true));
        } catch (...) {
        }
    }

    ScreenUpdatingRestore(const ScreenUpdatingRestore&) = delete;
    ScreenUpdatingRestore& operator=(const ScreenUpdatingRestore&) = delete;

private:
    Object application_;
    int exceptionsAtEntry_;
};

}  // namespace korvane

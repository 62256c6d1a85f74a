#pragma once
// Creation of the platform services the core asks for by kind (as it would ask COM by a
// programmatic identifier): the product installs the Windows implementations at start,
// tests install POSIX or simulated ones. Creating a kind that nobody installed raises 429.
#include <functional>
#include <memory>
#include <utility>

#include "automation/AutomationError.h"

namespace korvane {

template <class T>
class Factory {
public:
    using Maker = std::function<std::shared_ptr<T>()>;

    static std::shared_ptr<T> create() {
        if (!maker()) raiseRuntimeError(rt::CannotCreateObject);
        auto made = maker()();
        if (!made) raiseRuntimeError(rt::CannotCreateObject);
        return made;
    }
    static void install(Maker m) { maker() = std::move(m); }
    static bool installed() { return static_cast<bool>(maker()); }

    // Installs a maker for the lifetime of this object and puts the previous one back after.
    class Scoped {
    public:
        explicit Scoped(Maker m) : previous_(std::exchange(maker(), std::move(m))) {}
        ~Scoped() { maker() = std::move(previous_); }
        Scoped(const Scoped&) = delete;
        Scoped& operator=(const Scoped&) = delete;

    private:
        Maker previous_;
    };

private:
    static Maker& maker() {
        static Maker m;
        return m;
    }
};

}  // namespace korvane

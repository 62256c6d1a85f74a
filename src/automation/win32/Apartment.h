#pragma once
// The calling thread's membership in a single-threaded COM apartment, for the lifetime of the object.
namespace korvane::com {

class Apartment {
public:
    // Enters the single-threaded apartment; raises an AutomationError when COM refuses.
    Apartment();
    ~Apartment();
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    bool entered_ = false;
};

}  // namespace korvane::com

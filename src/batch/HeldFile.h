#pragma once
// A file this process holds open with no sharing, as a lock that other processes see: it is let go,
// and the file removed, when the owner goes, and by the system when the process ends in any way, so
// that a killed run leaves no lock behind.
namespace korvane {

class HeldFile {
public:
    HeldFile() = default;
    virtual ~HeldFile() = default;
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
};

}  // namespace korvane

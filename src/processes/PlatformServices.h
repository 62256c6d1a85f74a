#pragma once
// The platform services one run works with; the entry point makes them once and hands them down.
#include <memory>

#include "automation/AutomationBinder.h"
#include "files/FileSystem.h"
#include "processes/ProcessTable.h"

namespace korvane {

struct PlatformServices {
    std::shared_ptr<FileSystem> fileSystem;
    std::shared_ptr<ProcessTable> processTable;
    std::shared_ptr<AutomationBinder> binder;
};

// The services of the platform the program was built for: its file system, process table and
// automation runtime (defaultFileSystem(), defaultProcessTable(), defaultAutomationBinder()).
PlatformServices defaultPlatformServices();

}  // namespace korvane

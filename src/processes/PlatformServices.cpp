#include "processes/PlatformServices.h"

namespace korvane {

PlatformServices defaultPlatformServices() {
    return PlatformServices{defaultFileSystem(), defaultProcessTable(), defaultAutomationBinder()};
}

}  // namespace korvane

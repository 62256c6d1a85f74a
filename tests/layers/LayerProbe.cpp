// Compiled only by the layer tests (CMakeLists.txt here): includes the header they name.
#include KORVANE_PROBED_HEADER

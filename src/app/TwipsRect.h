#pragma once
// A form measure in twips, as the form was designed.
#include <cstdint>

namespace korvane {

struct TwipsRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace korvane

#include "model/ListEnumerator.h"

namespace korvane {

bool ListEnumerator::next(Variant& item) {
    if (position_ >= items_.size()) return false;
    item = items_[position_++];
    return true;
}

}  // namespace korvane

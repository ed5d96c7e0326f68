#include "Selection.h"

SelectionMask UnpackSelection(const StoredSelection& values) {
    SelectionMask selection = 0;
    for (auto value = values.rbegin(); value != values.rend(); ++value)
        selection = (selection << 16) | (*value & 0xFFFF);
    return selection;
}

StoredSelection PackSelection(SelectionMask selection) {
    StoredSelection values;
    for (uint32_t& value : values) {
        value = uint32_t(selection & 0xFFFF);
        selection >>= 16;
    }
    return values;
}

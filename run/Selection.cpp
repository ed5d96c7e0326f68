#include "Selection.h"

SelectionMask UnpackSelection(const StoredSelection& values) {
    SelectionMask selection;
    for (size_t i = 0; i < values.size(); ++i)
        selection |= SelectionMask(values[i] & 0xFFFF) << (16 * i);
    return selection;
}

StoredSelection PackSelection(const SelectionMask& selection) {
    StoredSelection values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = uint32_t(((selection >> (16 * i)) & SelectionMask(0xFFFF)).to_ulong());
    return values;
}

#include "RunRecord.h"

RecordTotals TotalsOf(const RecordStep& step) {
    RecordTotals totals;
    totals.items = step.removed.size();
    for (const RecordItem& item : step.removed) {
        totals.files += item.kind == RecordKind::File;
        totals.folders += item.kind == RecordKind::Folder;
        totals.keys += item.kind == RecordKind::Key;
        totals.values += item.kind == RecordKind::Value;
    }
    totals.left = step.left.size();
    totals.bytesOverwritten = step.bytesOverwritten;
    return totals;
}

RecordTotals TotalsOf(const RunRecord& record) {
    RecordTotals totals;
    for (const RecordStep& step : record.steps) {
        const RecordTotals part = TotalsOf(step);
        totals.items += part.items;
        totals.files += part.files;
        totals.folders += part.folders;
        totals.keys += part.keys;
        totals.values += part.values;
        totals.left += part.left;
        totals.bytesOverwritten += part.bytesOverwritten;
    }
    return totals;
}

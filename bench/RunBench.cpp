// Runs one shred run over a user-defined item, as the console program runs it, and prints the
// seconds it took, so that the cost of what a run adds to the erase itself shows side by side:
//
//   vxrunbench bare <folder> <pattern> <setting-hex>      the steps alone
//   vxrunbench reported <folder> <pattern> <setting-hex>  planned from a preview first, recorded
//                                                         as it goes and its report kept after
//
// The run fails unless no file matching the pattern is left below the folder.
#include "ReportFacts.h"
#include "ReportStore.h"
#include "RunLoop.h"
#include "RunPreview.h"
#include "RunSize.h"
#include "Stopwatch.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const bool reported = argc == 5 && !std::strcmp(argv[1], "reported");
    if (argc != 5 || (!reported && std::strcmp(argv[1], "bare"))) {
        std::fprintf(stderr, "usage: vxrunbench bare|reported <folder> <pattern> <setting-hex>\n");
        return 2;
    }
    RunRequest request;
    request.userItems.AddTail(
        (std::string(argv[2]) + "\\<" + argv[3] + "><SubFolder:Yes>").c_str());
    const EraseMethod method = MethodFromSetting(std::strtoul(argv[4], nullptr, 16));
    CVxMain engine;
    RunCancel cancel;
    RunRecord record;

    const Stopwatch stopwatch;
    unsigned long long planned = 0;
    if (reported) {
        planned = PlannedBytes(request, method);
        BeginRecord(record, method);
    }
    const RunOutcome outcome = RunShred(
        engine, PlanRun(request), method, cancel, [](size_t) {}, {}, reported ? &record : nullptr);
    if (reported) {
        EndRecord(record, outcome);
        if (StoreReport(engine, record, ReadReportSettings().kept).html.empty()) {
            std::fprintf(stderr, "vxrunbench: the report was not written\n");
            return 1;
        }
    }
    const double seconds = stopwatch.Seconds();

    if (outcome.left || outcome.done != 1 || (reported && planned == 0)) {
        std::fprintf(stderr, "vxrunbench: %s was not cleaned\n", argv[2]);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}

#include "EraseJob.h"

#include "EraserExtras.h"
#include "FileSystem.h"
#include "PathText.h"
#include "Recording.h"

#include <windows.h>

namespace {

bool WideItems() {
    return fs::IsNtFamily() && Extras().addItemW;
}

// The text an erase component that takes only ANSI text reads as the file at `path`: the
// ordinary path, short enough for those calls, each of its names kept as it stands, and spelt
// exactly in the code page.
bool AnsiItem(const std::wstring& path, std::string& ansi) {
    const std::wstring ordinary = path::Ordinary(path);
    return ordinary.size() < MAX_PATH && path::OrdinaryFormReaches(ordinary) &&
           fs::ToAnsi(ordinary, ansi);
}

// The erase component overwrites a file only when it reads its attributes and can then hold
// it alone: a file another program holds open stays. A plan takes the files as the walk found
// them, and tries neither.
bool WillBeErased(const std::wstring& path) {
    if (!removal::PreviewTriesHeld())
        return EraseJob::CanHandOver(path);
    const DWORD attributes = fs::Attributes(path);
    return EraseJob::CanHandOver(path) && attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
           fs::Open(path, GENERIC_READ, 0, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
}

unsigned long long FreeSpace(const std::wstring& root) {
    ULARGE_INTEGER free = {};
    std::string ansi;
    if (fs::ToAnsi(root, ansi) && GetDiskFreeSpaceExA(ansi.c_str(), &free, nullptr, nullptr))
        return free.QuadPart;
    return 0;
}

// Why a file the erase component was handed is still there.
const char* WhyStays(const std::wstring& file) {
    if (!fs::Open(file, GENERIC_READ, 0, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT) &&
        GetLastError() == ERROR_SHARING_VIOLATION)
        return "it is held open, by another program or by the system";
    return "the system refused its overwrite or removal";
}

} // namespace

bool EraseJob::CanHandOver(const std::wstring& path) {
    std::string ansi;
    return WideItems() || AnsiItem(path, ansi);
}

EraseJob::EraseJob(long dataType) : m_dataType(dataType) {
    if (removal::Previewing()) {
        m_context = kPreview;
        return;
    }
    ERASER_HANDLE context = kNoContext;
    if (eraserIsValidContext(context) < 0 && eraserCreateContext(&context) < 0)
        return;
    m_context = context;
    eraserClearItems(m_context);
    eraserSetDataType(m_context, dataType);
    if (const unsigned long method = removal::RunMethod(); method && Extras().setMethod)
        Extras().setMethod(m_context, long(method));
}

EraseJob::~EraseJob() {
    if (IsOpen() && m_context != kPreview && Extras().destroyContext)
        Extras().destroyContext(m_context);
}

// A file that cannot be handed over stays, and counts as such; a kept file stays untouched.
void EraseJob::Add(const std::wstring& item, unsigned long long size) {
    if (m_dataType == ERASER_DATA_FILES && removal::IsKept(item)) {
        removal::LeaveKept(item);
        return;
    }
    if (m_context == kPreview) {
        if (m_dataType == ERASER_DATA_DRIVES)
            removal::Report(VxTraceKind::FreeSpace, item, L"", FreeSpace(item));
        else if (WillBeErased(item))
            removal::Report(VxTraceKind::File, item, L"", size);
        else
            removal::ReportKept();
        return;
    }
    long added = ERASER_ERROR;
    std::string ansi;
    if (m_dataType == ERASER_DATA_FILES && WideItems())
        added = Extras().addItemW(m_context, item.c_str(), (unsigned long)item.size());
    else if (m_dataType == ERASER_DATA_DRIVES ? fs::ToAnsi(item, ansi) : AnsiItem(item, ansi))
        added = eraserAddItem(m_context, ansi.c_str(), (unsigned long)ansi.size());
    if (added < 0)
        removal::Left(item, "its name could not be handed to the erase component");
    else if (m_dataType == ERASER_DATA_DRIVES ? removal::RunRecorded()
                                              : !Extras().leftItems || removal::RunRecorded())
        m_files.emplace_back(item, m_dataType == ERASER_DATA_DRIVES ? FreeSpace(item) : size);
}

// Without a count from the component, a file that is still there after a job that was not cut
// short has stayed.
void EraseJob::Start() {
    if (m_context == kPreview)
        return;
    const long started = eraserStartSync(m_context);
    long left = 0;
    if (Extras().leftItems) {
        left = Extras().leftItems(m_context);
    } else if (started >= 0) {
        for (const auto& [file, size] : m_files)
            left += fs::Attributes(file) != INVALID_FILE_ATTRIBUTES;
    }
    if (left > 0)
        removal::NoteLeft((unsigned long)left);
    if (removal::RunRecorded())
        RecordOutcome(started >= 0, left);
}

// What became of each item, from the component where it tells, or else from whether the item is
// still there.
void EraseJob::RecordOutcome(bool finished, long left) const {
    for (size_t i = 0; i < m_files.size(); ++i) {
        const auto& [item, size] = m_files[i];
        long state = Extras().itemState ? Extras().itemState(m_context, (unsigned long)i) : -1;
        if (state < 0 && m_dataType == ERASER_DATA_DRIVES)
            state = finished && left == 0 ? ERASER_ITEM_GONE : ERASER_ITEM_STAYS;
        else if (state < 0)
            state = fs::Attributes(item) == INVALID_FILE_ATTRIBUTES ? ERASER_ITEM_GONE
                    : finished                                      ? ERASER_ITEM_STAYS
                                                                    : ERASER_ITEM_NOT_REACHED;
        if (state == ERASER_ITEM_GONE)
            removal::RecordDone(m_dataType == ERASER_DATA_DRIVES ? VxTraceKind::FreeSpace
                                                                 : VxTraceKind::File,
                                item, L"", size);
        else if (state == ERASER_ITEM_NOT_REACHED)
            removal::RecordLeft(item, "the run was cancelled before it was erased");
        else
            removal::RecordLeft(item, m_dataType == ERASER_DATA_DRIVES
                                          ? "its free space could not be written"
                                          : WhyStays(item));
    }
}

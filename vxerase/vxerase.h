// The calls of the erase component vxerase.dll. Every argument is a 32-bit value and every
// result a signed 32-bit number; a negative result means failure. No call lets an exception out:
// a failure of any kind, a lack of memory included, is a negative result.
#pragma once

#ifdef VXERASE_BUILD
#define VXERASE_API extern "C" __declspec(dllexport)
#else
#define VXERASE_API extern "C" __declspec(dllimport)
#endif

typedef long ERASER_HANDLE;

enum : long {
    ERASER_OK = 0,
    ERASER_ERROR = -1,
    ERASER_ERROR_PARAM = -2,
    ERASER_ERROR_CONTEXT = -3,
};

// Data types of a job: the items of a job are drive roots whose free space is overwritten, or
// full paths of files that are overwritten and removed.
enum : long {
    ERASER_DATA_DRIVES = 0,
    ERASER_DATA_FILES = 1,
};

VXERASE_API long eraserInit();
VXERASE_API long eraserEnd();
VXERASE_API long eraserCreateContext(ERASER_HANDLE* context);
// Releases a context and its items; the handle is invalid afterwards. A job that is running on
// the context goes on with the items it was started with.
VXERASE_API long eraserDestroyContext(ERASER_HANDLE context);
VXERASE_API long eraserIsValidContext(ERASER_HANDLE context);
VXERASE_API long eraserClearItems(ERASER_HANDLE context);
VXERASE_API long eraserSetDataType(ERASER_HANDLE context, long dataType);
// An item in ANSI text of the process's code page, as the ANSI file calls read it.
VXERASE_API long eraserAddItem(ERASER_HANDLE context, const char* item, unsigned long length);
// An item in the system's own UTF-16, of up to 32,767 units: a full path in the extended form
// ("\\?\C:\dir\name") is taken as it stands, any other path as the wide file calls read it.
VXERASE_API long eraserAddItemW(ERASER_HANDLE context, const wchar_t* item, unsigned long length);
// The erase method of the context's jobs, as "Setting" stores it (0x81 to 0x90, read by the same
// rule); without it a job applies the stored "Setting".
VXERASE_API long eraserSetMethod(ERASER_HANDLE context, long setting);
// Runs the job and returns when every item has been processed (or the job was cancelled).
VXERASE_API long eraserStartSync(ERASER_HANDLE context);
// How many items of the context's last job are still there after it: files another program
// held open, or that could not be overwritten or removed, and drives whose free space could not
// be written. Items a cancel kept from the job do not count.
VXERASE_API long eraserLeftItems(ERASER_HANDLE context);
// What became of the item at `index`, in the order the items were added, in the context's last
// job: one of the values below, or an error.
#define ERASER_ITEM_GONE 0
#define ERASER_ITEM_STAYS 1
#define ERASER_ITEM_NOT_REACHED 2
VXERASE_API long eraserItemState(ERASER_HANDLE context, unsigned long index);
// Asks the running job, and every job started after it until the next eraserInit, to stop at
// its next buffer. Safe to call from any thread.
VXERASE_API long eraserCancel();
// The bytes written over files and free space by every job since the component was loaded, a
// count that only grows: a caller measures a run by the difference. Safe to call from any thread.
VXERASE_API long eraserWrittenBytes(unsigned long long* bytes);

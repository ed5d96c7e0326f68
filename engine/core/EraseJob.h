#pragma once

#include <string>
#include <utility>
#include <vector>

// One run of the erase component over a list of items, on a context of its own that is released
// when the job ends where the component can release one. While a preview records, the job erases
// nothing: each item is reported.
class EraseJob {
public:
    // Obtains a fresh context with no items and the given data type; IsOpen() tells whether
    // one could be had.
    explicit EraseJob(long dataType);
    ~EraseJob();
    EraseJob(const EraseJob&) = delete;
    EraseJob& operator=(const EraseJob&) = delete;

    bool IsOpen() const { return m_context != kNoContext; }
    // A file by its system path (fs::SystemPath) with its length, or a drive root.
    void Add(const std::wstring& item, unsigned long long size = 0);
    // Returns when every item has been processed; counts those that stay.
    void Start();

    // Whether the erase component can be handed the file at `path` (a system path): a component
    // that takes only ANSI text gets a path that its ANSI calls read as the same file, or none.
    static bool CanHandOver(const std::wstring& path);

private:
    // Tells the run's record which items went and which stayed; `finished` is false when the
    // job was cut short, `left` how many items the job counted as staying.
    void RecordOutcome(bool finished, long left) const;

    static constexpr long kNoContext = -1;
    static constexpr long kPreview = -2;
    long m_context = kNoContext;
    long m_dataType;
    // The files handed over with their lengths, or the drives with their free space, where the
    // component cannot tell how many of them stay or the run keeps a record.
    std::vector<std::pair<std::wstring, unsigned long long>> m_files;
};

#pragma once

#include "CString.h"

// One run of the erase component over a list of items, on a context of its own that is released
// when the job ends. While a preview records, the job erases nothing: each item is reported.
class EraseJob {
public:
    // Obtains a fresh context with no items and the given data type; IsOpen() tells whether
    // one could be had.
    explicit EraseJob(long dataType);
    ~EraseJob();
    EraseJob(const EraseJob&) = delete;
    EraseJob& operator=(const EraseJob&) = delete;

    bool IsOpen() const { return m_context != kNoContext; }
    // A file with its length, or a drive root.
    void Add(const CString& item, unsigned long long size = 0);
    // Returns when every item has been processed.
    void Start();

private:
    static constexpr long kNoContext = -1;
    static constexpr long kPreview = -2;
    long m_context = kNoContext;
    long m_dataType;
};

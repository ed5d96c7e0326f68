// Takes every free region of the process's address space while the object lives, as a 32-bit
// process that has run long finds it: a large allocation fails, small ones still come from the
// blocks the heap already holds. The heap is not drained too: with no memory at all the C++
// runtime cannot even raise an exception and ends the process.
#pragma once

#include <windows.h>

#include <vector>

class ExhaustedAddressSpace {
public:
    // The heap gives an allocation this large a region of its own, so it fails.
    static constexpr size_t kLargeAllocation = 1 << 20;

    ExhaustedAddressSpace() {
        m_regions.reserve(kMaxRegions);
        for (SIZE_T size = SIZE_T(1) << 30; size >= kGranularity; size /= 2)
            while (m_regions.size() < kMaxRegions)
                if (void* region = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                    m_regions.push_back(region);
                else
                    break;
    }
    ~ExhaustedAddressSpace() {
        for (void* region : m_regions)
            VirtualFree(region, 0, MEM_RELEASE);
    }
    ExhaustedAddressSpace(const ExhaustedAddressSpace&) = delete;
    ExhaustedAddressSpace& operator=(const ExhaustedAddressSpace&) = delete;

private:
    static constexpr SIZE_T kGranularity = 64 << 10;
    static constexpr size_t kMaxRegions = 65536;

    std::vector<void*> m_regions;
};

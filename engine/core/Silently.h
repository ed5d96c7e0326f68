// Every member of the engine runs its work through Silently: whatever the work throws, an
// allocation failure included, ends the member as any other failure does, without a word. No
// exception may leave the engine, as each module has a C++ runtime of its own.
#pragma once

template <typename Work> void Silently(Work&& work) noexcept {
    try {
        work();
    } catch (...) {
    }
}

// The work's result, or `failed` when the work throws.
template <typename Result, typename Work> Result Silently(Result failed, Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        return failed;
    }
}

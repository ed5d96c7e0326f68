// The bytes the component has written over files and free space since it was loaded, counted as
// each write returns, so that a run can show from another thread how far it has come.
#pragma once

#include <cstdint>

void CountWritten(uint64_t bytes);
uint64_t WrittenSoFar();

// Test-only calls of the recording stand-in for the erase component.
#pragma once

extern "C" __declspec(dllimport) void fakeEraserReset();
// Every call received since the last reset, one line each: "valid -1", "create 3", "clear 3",
// "type 3 1", "add 3 C:\x\a.txt", "start 3".
extern "C" __declspec(dllimport) const char* fakeEraserLog();
// Called once, as the `job`-th job from now starts (1 for the next), before its items are
// handled: the test changes the tree under the walk there.
extern "C" __declspec(dllimport) void fakeEraserOnStart(int job, void (*change)());

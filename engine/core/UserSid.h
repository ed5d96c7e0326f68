// The account the engine runs under, as the registry names it.
#pragma once

// A copy of the SID of the current process's user, allocated from the process heap.
int GetCurrentUserSid(void** sid);

// "S-1-<authority>-<sub-authority>..." into `text`, which holds 256 characters.
void SidToText(void* sid, char* text);

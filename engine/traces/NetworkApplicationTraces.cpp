// Traces of file-sharing clients, messengers, download managers, players, editors and a
// browser. Each member is a script of removal steps.
#include "TraceScript.h"

using namespace steps;

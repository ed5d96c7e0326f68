#pragma once

#include "EraseMethod.h"

// The method stored as "Setting" under HKEY_CURRENT_USER\Software\Dravok\nv at this moment.
EraseMethod StoredMethod();

#pragma once

#include "EraseMethod.h"

// The erase method stored in the registry at this moment.
EraseMethod StoredMethod();

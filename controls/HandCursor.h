// The hand cursor: the system's own, else cursor 106 of the help viewer, whose program file is
// read as data only; else none.
#pragma once

#include "Handle.h"

class HandCursor {
public:
    HandCursor();
    HCURSOR Get() const { return m_shared ? m_shared : m_copy.Get(); }

private:
    HCURSOR m_shared = nullptr;
    UniqueHandle<NullIsInvalid<HCURSOR, DestroyCursor>> m_copy;
};

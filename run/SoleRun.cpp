#include "SoleRun.h"

#include "Product.h"

// A mutex that exists already is another run's: it is open only while a run holds it.
SoleRun::SoleRun() : m_mutex(CreateMutexA(nullptr, FALSE, VX_PRODUCT_NAME ".Run")) {
    m_alone = m_mutex && GetLastError() != ERROR_ALREADY_EXISTS;
}

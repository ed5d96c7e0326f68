# The same sources for 64-bit Windows, built on hosts whose kernel cannot start 32-bit code so
# that the tests and benchmarks still run there under 64-bit Wine.
set(VX_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

# SQLite, the upstream library, built for the target from the amalgamation that
# tools/sqlite-amalgamation makes out of Debian's source package. The engine edits the browsers'
# databases with it.
set(VX_SQLITE_DIR ${CMAKE_BINARY_DIR}/sqlite)
if(NOT EXISTS ${VX_SQLITE_DIR}/sqlite3.c)
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tools/sqlite-amalgamation ${VX_SQLITE_DIR}
                    RESULT_VARIABLE VX_SQLITE_MADE)
    if(VX_SQLITE_MADE)
        message(FATAL_ERROR "SQLite's amalgamation could not be made (run tools/setup first)")
    endif()
endif()
add_library(sqlite STATIC ${VX_SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite SYSTEM PUBLIC ${VX_SQLITE_DIR})
# Deleted content is zeroed, temporary tables stay in memory (never in files of their own), and
# nothing is loaded from outside. The upstream code is built as it comes, without our warnings.
target_compile_definitions(sqlite PRIVATE SQLITE_SECURE_DELETE SQLITE_TEMP_STORE=3
    SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_MEMSTATUS=0)
target_compile_options(sqlite PRIVATE -w)

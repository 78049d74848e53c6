# Every target links varnel_warnings instead of setting flags for a whole directory.
add_library(varnel_warnings INTERFACE)
target_compile_options(varnel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(varnel_warnings INTERFACE -Wnull-dereference)
endif()
# GCC 12, when optimising, reports overlapping copies and over-reads inside the standard library's own
# string and stream code that it has inlined (compiler faults fixed in later releases); they say
# nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(varnel_warnings INTERFACE -Wno-restrict -Wno-stringop-overread)
endif()

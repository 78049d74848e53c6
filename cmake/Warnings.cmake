# Every target links varnel_warnings instead of setting flags for a whole directory.
add_library(varnel_warnings INTERFACE)
target_compile_options(varnel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wnull-dereference -Wimplicit-fallthrough)

# The sanitizer build is what the test command runs; it applies to every target alike.
if(VARNEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(VARNEL_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# Helper for the libraries of the system: one per subsystem core and one per subsystem GUI.
function(varnel_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE varnel_warnings)
endfunction()

# The fuzz build instruments everything for libFuzzer; each target in fuzz/ adds the fuzzer's main. An
# UndefinedBehaviorSanitizer finding aborts the run as a crash does, so a fuzz target fails on it.
if(VARNEL_BUILD_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# The windows: Qt 6 Widgets. Each subsystem's views are one library, src/<subsystem>/ui, built on its
# core library; no core library links Qt. The fuzz build leaves the windows out.
if(VARNEL_BUILD_FUZZ)
    set(VARNEL_BUILD_GUI OFF)
endif()
if(VARNEL_BUILD_GUI)
    find_package(Qt6 REQUIRED COMPONENTS Widgets DBus PrintSupport Test)
endif()

function(varnel_gui_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets PRIVATE varnel_warnings)
endfunction()

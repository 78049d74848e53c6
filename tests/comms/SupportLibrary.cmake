# The in-memory line and the real transports on loopback and pseudo-terminals, the scale simulators
# (ID-ENQ, block protocol and Lumen) and the memory link, shared by the link tests and the link benchmark.
add_library(varnel_comms_test_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/BlockScaleSimulator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InMemoryLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LumenScaleSimulator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MemoryLumenLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MemoryLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PseudoTerminal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RealScaleLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScaleSimulator.cpp
)
target_include_directories(varnel_comms_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnel_comms_test_support PUBLIC varnel_comms varnel_test_support PRIVATE varnel_warnings)

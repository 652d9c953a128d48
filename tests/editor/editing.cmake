mirovane_add_test(editing_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editing_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/editing_paths_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editing_drops_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editing_offset_test.cpp
    WIDGETS)

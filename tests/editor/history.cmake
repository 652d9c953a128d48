mirovane_add_test(history_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editing_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/history_test.cpp
    WIDGETS)

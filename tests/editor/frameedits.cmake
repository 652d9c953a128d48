mirovane_add_test(frameedits_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editing_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/frameedits_test.cpp
    WIDGETS)

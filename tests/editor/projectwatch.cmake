mirovane_add_test(projectwatch_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editor_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/projectfilewatch_test.cpp
    WIDGETS)

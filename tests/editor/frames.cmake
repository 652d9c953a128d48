mirovane_add_test(frames_editor_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editing_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/frames_editor_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames_clipdialog_test.cpp
    WIDGETS)

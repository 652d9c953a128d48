mirovane_add_test(previewcommands_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/preview_commands_test.cpp
    WIDGETS)

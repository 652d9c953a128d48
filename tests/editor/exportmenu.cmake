mirovane_add_test(exportmenu_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/exportmenu_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/exportmenu_export_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exportmenu_import_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exportmenu_progress_test.cpp
    WIDGETS)

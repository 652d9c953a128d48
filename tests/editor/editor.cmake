mirovane_add_test(editor_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editor_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/commands_project_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_commandline_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_framelist_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_layoutdoc_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_preview_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_screenscale_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_shortcuts_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_formresize_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_framerows_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/playback_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/thumbnailstrip_test.cpp
    WIDGETS)

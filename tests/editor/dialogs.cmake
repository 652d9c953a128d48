mirovane_add_test(dialogs_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../uisupport/modalscript.h
    ${CMAKE_CURRENT_LIST_DIR}/dialogs_realdialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs_overwrite_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs_offset_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs_pathproblem_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs_animation_test.cpp
    WIDGETS)

mirovane_add_test(updateflow_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/updateflow_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/helpcommands_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../update/testhttpserver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../update/testhttpserver.h
    LIBS Qt6::Network
    WIDGETS)
target_include_directories(updateflow_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../update)

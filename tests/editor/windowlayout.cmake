mirovane_add_test(picturesurface_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/picturesurface_tests.cpp
    WIDGETS)

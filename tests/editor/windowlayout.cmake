mirovane_add_test(picturesurface_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/picturesurface_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/showpicture_tests.cpp
    WIDGETS)
mirovane_add_test(windowlayout_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/windowlayout_tests.cpp
    WIDGETS)

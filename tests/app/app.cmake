quorvin_add_test(NAME tst_placement SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_placement.cpp
                 LIBS quorvin_core)
quorvin_add_test(NAME tst_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_window.cpp
                 LIBS quorvin_app)
quorvin_add_test(NAME tst_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_startup.cpp
                 LIBS quorvin_testsupport X11)
quorvin_add_test(NAME tst_pointers SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pointers.cpp
                 LIBS quorvin_app quorvin_testsupport X11)
quorvin_add_test(NAME tst_screenshot SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_screenshot.cpp
                 LIBS quorvin_app quorvin_testsupport X11)
quorvin_add_test(NAME tst_waylandsession SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_waylandsession.cpp
                 LIBS quorvin_platform xcb)
add_dependencies(tst_waylandsession quorvin)

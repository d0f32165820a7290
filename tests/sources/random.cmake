quorvin_add_test(NAME tst_randomcolor
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_randomcolor.cpp
                 LIBS quorvin_sources)
quorvin_add_test(NAME tst_randomcolor_x11
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_randomcolor_x11.cpp
                 LIBS quorvin_app quorvin_testsupport X11)

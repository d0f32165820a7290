quorvin_add_test(NAME tst_eyedropper
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eyedropper.cpp
                 LIBS quorvin_app quorvin_testsupport)
quorvin_add_test(NAME tst_eyedropper_x11
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eyedropper_x11.cpp
                 LIBS quorvin_app quorvin_testsupport X11)

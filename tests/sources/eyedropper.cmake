quorvin_add_test(NAME tst_eyedropper
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eyedropper.cpp
                 LIBS quorvin_app quorvin_testsupport)
quorvin_add_test(NAME tst_eyedropper_x11
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eyedropper_x11.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/LoupeProbe.h ${CMAKE_CURRENT_LIST_DIR}/LoupeProbe.cpp
                 LIBS quorvin_app quorvin_testsupport X11)
quorvin_add_test(NAME tst_eyedropper_portal_x11
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eyedropper_portal_x11.cpp
                 LIBS quorvin_app quorvin_testsupport Qt6::DBus X11)
quorvin_add_session_test(tst_eyedropper_x11 scale1.5 QT_SCALE_FACTOR 1.5)
quorvin_add_session_test(tst_eyedropper_x11 scale2 QT_SCALE_FACTOR 2)
quorvin_add_session_test(tst_eyedropper_x11 twomonitors TWO_MONITORS)

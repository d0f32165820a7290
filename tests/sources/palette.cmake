quorvin_add_test(NAME tst_palettepicker SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_palettepicker.cpp
                 LIBS quorvin_app quorvin_testsupport)
quorvin_add_test(NAME tst_palettepicker_x11
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_palettepicker_x11.cpp
                 LIBS quorvin_app quorvin_testsupport X11)
quorvin_add_session_test(tst_palettepicker_x11 scale1.5 QT_SCALE_FACTOR 1.5)
quorvin_add_session_test(tst_palettepicker_x11 scale2 QT_SCALE_FACTOR 2)

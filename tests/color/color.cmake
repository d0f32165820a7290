quorvin_add_test(NAME tst_colorcodes
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_colorcodes.cpp
    LIBS quorvin_core)
quorvin_add_test(NAME tst_colorupdate
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_colorupdate.cpp ${CMAKE_CURRENT_LIST_DIR}/ColorTestWindow.h
    LIBS quorvin_app quorvin_testsupport)
quorvin_add_test(NAME tst_samplepreview
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_samplepreview.cpp ${CMAKE_CURRENT_LIST_DIR}/ColorTestWindow.h
    LIBS quorvin_app quorvin_testsupport)
quorvin_add_test(NAME tst_colorinput
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_colorinput.cpp ${CMAKE_CURRENT_LIST_DIR}/ColorTestWindow.h
    LIBS quorvin_app quorvin_testsupport
    X11)

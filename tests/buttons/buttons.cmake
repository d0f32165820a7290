quorvin_add_test(NAME tst_copybuttons
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_copybuttons.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/ButtonTestSupport.h
                 LIBS quorvin_app quorvin_testsupport X11)
quorvin_add_test(NAME tst_pressedlook
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pressedlook.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/ButtonTestSupport.h
                 LIBS quorvin_app quorvin_testsupport X11)
quorvin_add_test(NAME tst_previewtoggles
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_previewtoggles.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/ButtonTestSupport.h
                 LIBS quorvin_app quorvin_testsupport)
quorvin_add_test(NAME tst_buttondescriptions
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_buttondescriptions.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/ButtonTestSupport.h
                 LIBS quorvin_app quorvin_testsupport)

quorvin_add_test(NAME tst_singleinstance SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_singleinstance.cpp
                 LIBS quorvin_platform quorvin_testsupport X11)
quorvin_add_test(NAME tst_waylandsession_choice
                 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_waylandsession_choice.cpp
                 LIBS quorvin_platform)
quorvin_add_test(NAME tst_clipboardkeeper SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_clipboardkeeper.cpp
                 LIBS quorvin_testsupport xcb X11)

add_library(quorvin_testsupport STATIC
    ${CMAKE_CURRENT_LIST_DIR}/X11TestSupport.h ${CMAKE_CURRENT_LIST_DIR}/X11TestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestWindow.h ${CMAKE_CURRENT_LIST_DIR}/TestWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestMouse.h ${CMAKE_CURRENT_LIST_DIR}/TestMouse.cpp)
target_include_directories(quorvin_testsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quorvin_testsupport PUBLIC Qt6::Widgets Qt6::Test quorvin_app PRIVATE xcb)

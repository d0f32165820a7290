# Needs an X session (scripts/test.sh's, or Xvfb + openbox of your own); not a ctest.
qt_add_executable(bench_eyedropper ${CMAKE_CURRENT_LIST_DIR}/bench_eyedropper.cpp)
target_link_libraries(bench_eyedropper PRIVATE Qt6::Test quorvin_app quorvin_testsupport xcb)

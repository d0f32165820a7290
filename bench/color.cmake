# Not a ctest: timings are read by hand from a release-ish build.
qt_add_executable(bench_color ${CMAKE_CURRENT_LIST_DIR}/bench_color.cpp)
target_link_libraries(bench_color PRIVATE Qt6::Test quorvin_app)

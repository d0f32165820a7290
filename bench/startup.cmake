# Not a ctest: timings are read by hand from a release-ish build.
qt_add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE Qt6::Test quorvin_app)

# X-driven benchmarks, run by scripts/bench.sh in sessions of their own; not ctests.
find_package(PkgConfig REQUIRED)
pkg_check_modules(BENCH_XCB REQUIRED IMPORTED_TARGET xcb xcb-damage xcb-xtest)

add_library(quorvin_benchx STATIC ${CMAKE_CURRENT_LIST_DIR}/BenchX.h ${CMAKE_CURRENT_LIST_DIR}/BenchX.cpp)
target_link_libraries(quorvin_benchx PUBLIC PkgConfig::BENCH_XCB)
set_target_properties(quorvin_benchx PROPERTIES AUTOMOC OFF)

add_executable(bench_startup_launcher ${CMAKE_CURRENT_LIST_DIR}/startup_launcher.cpp)
target_link_libraries(bench_startup_launcher PRIVATE quorvin_benchx)
add_executable(bench_eyedropper_launcher ${CMAKE_CURRENT_LIST_DIR}/eyedropper_launcher.cpp)
target_link_libraries(bench_eyedropper_launcher PRIVATE quorvin_benchx)

# The floors: what an empty Qt window costs, and what the bare eyedropper loop reaches.
qt_add_executable(floor_window ${CMAKE_CURRENT_LIST_DIR}/floor/floor_window.cpp)
target_link_libraries(floor_window PRIVATE Qt6::Widgets)
qt_add_executable(floor_eyedropper ${CMAKE_CURRENT_LIST_DIR}/floor/floor_eyedropper.cpp)
target_link_libraries(floor_eyedropper PRIVATE Qt6::Widgets PkgConfig::BENCH_XCB)

add_library(getimage_counter MODULE ${CMAKE_CURRENT_LIST_DIR}/floor/getimage_counter.cpp)
target_link_libraries(getimage_counter PRIVATE PkgConfig::BENCH_XCB ${CMAKE_DL_LIBS})
set_target_properties(getimage_counter PROPERTIES AUTOMOC OFF PREFIX "")

qt_add_executable(bench_tick ${CMAKE_CURRENT_LIST_DIR}/bench_tick.cpp)
target_link_libraries(bench_tick PRIVATE quorvin_app quorvin_testsupport PkgConfig::BENCH_XCB)
add_executable(bench_close_probe ${CMAKE_CURRENT_LIST_DIR}/close_probe.cpp)
target_link_libraries(bench_close_probe PRIVATE quorvin_benchx)

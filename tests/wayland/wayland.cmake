# The eyedropper under a headless sway of its own (scripts/sway-session.sh, which needs root for
# its namespaces and skips without). It brings its own displays, so it runs beside the X11 tests.
qt_add_executable(tst_eyedropper_sway ${CMAKE_CURRENT_LIST_DIR}/tst_eyedropper_sway.cpp)
pkg_check_modules(TEST_XINPUT REQUIRED IMPORTED_TARGET xcb xcb-xinput)
target_link_libraries(tst_eyedropper_sway PRIVATE
    Qt6::Test quorvin_app quorvin_testsupport PkgConfig::WAYLAND_CLIENT PkgConfig::TEST_XINPUT)
quorvin_wayland_protocol(tst_eyedropper_sway
    ${CMAKE_CURRENT_LIST_DIR}/wlr-virtual-pointer-unstable-v1.xml)
add_test(NAME tst_eyedropper_sway
         COMMAND ${PROJECT_SOURCE_DIR}/scripts/sway-session.sh $<TARGET_FILE:tst_eyedropper_sway>)
set_tests_properties(tst_eyedropper_sway PROPERTIES LABELS wayland SKIP_RETURN_CODE 77 TIMEOUT 120)

# Both install the build tree (cmake --install, cpack) and so must not run side by side.
add_test(NAME check_install
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${PROJECT_BINARY_DIR} ${QUORVIN_APP_ID}
            ${PROJECT_SOURCE_DIR}/app/images/wheel-pipette.ico)
add_test(NAME check_deb
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-deb.sh ${PROJECT_BINARY_DIR} ${QUORVIN_APP_ID})
set_tests_properties(check_install check_deb PROPERTIES RESOURCE_LOCK install-tree TIMEOUT 300)

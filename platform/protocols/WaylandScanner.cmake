# quorvin_wayland_protocol(<target> <xml>): generates the client header and glue code of a Wayland
# protocol description with wayland-scanner and builds them into <target>.
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT WAYLAND_SCANNER)
    find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
endif()

function(quorvin_wayland_protocol target xml)
    get_filename_component(name ${xml} NAME_WE)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/protocols)
    set(header ${dir}/${name}-client-protocol.h)
    set(code ${dir}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
        DEPENDS ${xml} VERBATIM)
    add_custom_command(OUTPUT ${code}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
        DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${header} ${code})
    target_include_directories(${target} PRIVATE ${dir})
    # The generated glue is C, but built as C++ it would need casts it does not have.
    set_source_files_properties(${code} PROPERTIES LANGUAGE C)
endfunction()

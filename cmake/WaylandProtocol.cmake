# wayland_protocol(TARGET XML): the C bindings of a Wayland protocol, generated
# by wayland-scanner, as a static library TARGET that links libwayland-client.
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(wayland_scanner wayland-scanner wayland_scanner)
if(NOT wayland_scanner)
    find_program(wayland_scanner wayland-scanner REQUIRED)
endif()

function(wayland_protocol target xml)
    get_filename_component(name ${xml} NAME_WE)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(
        OUTPUT ${generated}-client-protocol.h ${generated}-protocol.c
        COMMAND ${wayland_scanner} client-header ${xml} ${generated}-client-protocol.h
        COMMAND ${wayland_scanner} private-code ${xml} ${generated}-protocol.c
        DEPENDS ${xml})
    add_library(${target} STATIC ${generated}-client-protocol.h ${generated}-protocol.c)
    # Generated code: outside the warnings and lint of the project's own.
    target_include_directories(${target} SYSTEM PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
    target_link_libraries(${target} PUBLIC PkgConfig::WAYLAND_CLIENT)
endfunction()

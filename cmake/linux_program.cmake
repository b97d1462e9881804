# The Linux build of the program: the shell and the face painter over our Win32 stand-in
# (compat/linux), which draws with cairo and shows its windows through Xlib. SDL2 plays the tones,
# loaded at run time: only its header is needed here.
find_package(PkgConfig REQUIRED)
pkg_check_modules(OVENBELL_LINUX_DEPS REQUIRED IMPORTED_TARGET
    cairo cairo-ft fontconfig freetype2 x11 xtst xext)
pkg_check_modules(OVENBELL_SDL2 REQUIRED sdl2)

set(OVENBELL_COMPAT_DIR ${CMAKE_CURRENT_LIST_DIR}/../compat)

# The icons of the resource script, compiled into the stand-in for LoadIconA.
set(OVENBELL_EMBEDDED_ICONS ${CMAKE_CURRENT_BINARY_DIR}/embedded_icons.cpp)
file(GLOB OVENBELL_ICON_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.ico)
add_custom_command(OUTPUT ${OVENBELL_EMBEDDED_ICONS}
    COMMAND ${CMAKE_COMMAND} -DRC=${CMAKE_SOURCE_DIR}/resources/ovenbell.rc
            -DOUT=${OVENBELL_EMBEDDED_ICONS} -P ${OVENBELL_COMPAT_DIR}/linux/embed_icons.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/ovenbell.rc ${OVENBELL_ICON_FILES}
            ${OVENBELL_COMPAT_DIR}/linux/embed_icons.cmake
    COMMENT "Embedding the program's icons"
    VERBATIM)

add_library(win32_compat STATIC
    ${OVENBELL_COMPAT_DIR}/linux/command_line.cpp
    ${OVENBELL_COMPAT_DIR}/linux/fonts.cpp
    ${OVENBELL_COMPAT_DIR}/linux/gdi32.cpp
    ${OVENBELL_COMPAT_DIR}/linux/gdi_drawing.cpp
    ${OVENBELL_COMPAT_DIR}/linux/gdi_objects.cpp
    ${OVENBELL_COMPAT_DIR}/linux/headless.cpp
    ${OVENBELL_COMPAT_DIR}/linux/host.cpp
    ${OVENBELL_COMPAT_DIR}/linux/icons.cpp
    ${OVENBELL_COMPAT_DIR}/linux/message_box.cpp
    ${OVENBELL_COMPAT_DIR}/linux/sound.cpp
    ${OVENBELL_COMPAT_DIR}/linux/system.cpp
    ${OVENBELL_COMPAT_DIR}/linux/trace.cpp
    ${OVENBELL_COMPAT_DIR}/linux/user32.cpp
    ${OVENBELL_COMPAT_DIR}/linux/window_system.cpp
    ${OVENBELL_COMPAT_DIR}/linux/x11_display_power.cpp
    ${OVENBELL_COMPAT_DIR}/linux/x11_host.cpp
    ${OVENBELL_COMPAT_DIR}/linux/x11_keys.cpp
    ${OVENBELL_EMBEDDED_ICONS})
# The program sees only win32.h (and tests linux/headless.h); the stand-in's own headers stay
# private to it.
target_include_directories(win32_compat PUBLIC ${OVENBELL_COMPAT_DIR}
                                        PRIVATE ${OVENBELL_COMPAT_DIR}/linux)
target_include_directories(win32_compat SYSTEM PRIVATE ${OVENBELL_SDL2_INCLUDE_DIRS})
target_link_libraries(win32_compat PUBLIC PkgConfig::OVENBELL_LINUX_DEPS ${CMAKE_DL_LIBS})
target_compile_options(win32_compat PRIVATE ${OVENBELL_WARNINGS})

if(OVENBELL_PROGRAM_SOURCES)
    # Everything but the process entry, so that tests can run WinMain themselves. Objects, not
    # an archive: the core's seam is defined here and only the core refers to it.
    add_library(ovenbell_program OBJECT ${OVENBELL_PROGRAM_SOURCES})
    target_include_directories(ovenbell_program PUBLIC ${CMAKE_SOURCE_DIR}/shell
                                                       ${CMAKE_SOURCE_DIR}/face)
    target_link_libraries(ovenbell_program PUBLIC ovenbell_core ovenbell_face_model win32_compat)
    target_compile_options(ovenbell_program PRIVATE ${OVENBELL_WARNINGS})

    add_executable(ovenbell ${OVENBELL_COMPAT_DIR}/linux/program_entry.cpp)
    target_include_directories(ovenbell PRIVATE ${OVENBELL_COMPAT_DIR}/linux)
    target_link_libraries(ovenbell PRIVATE ovenbell_program)
    target_compile_options(ovenbell PRIVATE ${OVENBELL_WARNINGS})
endif()

# The Windows program: shell and painter over the real Win32 headers, with the icon and manifest.
# Linked statically, so the exe needs nothing but system DLLs.
add_executable(ovenbell WIN32 ${OVENBELL_PROGRAM_SOURCES} ${CMAKE_SOURCE_DIR}/resources/ovenbell.rc)
target_include_directories(ovenbell PRIVATE
    ${CMAKE_SOURCE_DIR}/compat ${CMAKE_SOURCE_DIR}/shell ${CMAKE_SOURCE_DIR}/face)
target_link_libraries(ovenbell PRIVATE
    ovenbell_face_model ovenbell_core user32 gdi32 winmm ole32 uuid)
target_compile_options(ovenbell PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${OVENBELL_WARNINGS}>)
if(MSVC)
    # Our own manifest is in the resource script; the linker must not add a second one.
    target_link_options(ovenbell PRIVATE /MANIFEST:NO)
    set_target_properties(ovenbell PROPERTIES MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
    target_link_options(ovenbell PRIVATE -static -static-libgcc -static-libstdc++
        -Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
set_target_properties(ovenbell PROPERTIES OUTPUT_NAME ovenbell)
# The resource object is rebuilt when the icon or the manifest changes.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/ovenbell.rc APPEND PROPERTY
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/ovenbell.ico
    ${CMAKE_SOURCE_DIR}/resources/ovenbell.manifest)

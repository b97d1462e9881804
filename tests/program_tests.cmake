# Checks of the built program file. Windows builds: the exe is a GUI program of the intended
# architecture that imports only system DLLs, and carries exactly its icon and manifest. Other
# builds take their checks from linux_program_tests.cmake.
#
# The same file runs the checks when ctest calls it in script mode (cmake -P) with OVENBELL_CHECK.

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_policy(VERSION 3.25)
    function(fail)
        string(JOIN "" text ${ARGN})
        message(FATAL_ERROR "${text}")
    endfunction()

    if(OVENBELL_CHECK STREQUAL "imports")
        execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
        if(failed)
            fail("${OBJDUMP} -p ${EXE} failed")
        endif()
        if(NOT dump MATCHES "file format ${EXPECTED_FORMAT}\n")
            fail("${EXE} is not ${EXPECTED_FORMAT}")
        endif()
        if(NOT dump MATCHES "Subsystem[\t ]+00000002")
            fail("${EXE} is not a Windows GUI program")
        endif()
        # What every Windows since XP ships. No toolchain runtime (libgcc, libstdc++,
        # libwinpthread), which would have to travel beside the exe.
        set(system_dlls KERNEL32 USER32 GDI32 WINMM OLE32 OLEAUT32 SHELL32 ADVAPI32 MSVCRT)
        string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
        set(names "")
        foreach(line IN LISTS imports)
            string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]$" "\\1" name "${line}")
            string(TOUPPER "${name}" name)
            list(APPEND names ${name})
            if(NOT name IN_LIST system_dlls)
                fail("${EXE} imports ${line}, which is not a system DLL")
            endif()
        endforeach()
        foreach(needed KERNEL32 USER32 GDI32)
            if(NOT needed IN_LIST names)
                fail("no import of ${needed} found in: ${names}")
            endif()
        endforeach()
        message(STATUS "imports: ${names}")

    elseif(OVENBELL_CHECK STREQUAL "resources")
        find_program(WRESTOOL wrestool)
        find_program(ICOTOOL icotool)
        if(NOT WRESTOOL OR NOT ICOTOOL)
            fail("wrestool and icotool (Debian package icoutils) are needed")
        endif()
        execute_process(COMMAND ${WRESTOOL} -l ${EXE} OUTPUT_VARIABLE listing
                        RESULT_VARIABLE failed)
        if(failed)
            fail("wrestool -l ${EXE} failed")
        endif()
        # Exactly one icon image (type 3), its group 104 (type 14) and manifest 1 (type 24):
        # no version block, menu, dialog or string table.
        string(REGEX MATCHALL "--type=[^ ]+ --name=[^ ]+" resources "${listing}")
        list(SORT resources)
        set(expected "--type=14 --name=104" "--type=24 --name=1" "--type=3 --name=1")
        if(NOT resources STREQUAL expected)
            fail("resources are [${resources}], expected [${expected}]")
        endif()
        set(icon ${WORK_DIR}/icon_104.ico)
        execute_process(COMMAND ${WRESTOOL} -x --type=14 --name=104 -o ${icon} ${EXE}
                        RESULT_VARIABLE failed)
        execute_process(COMMAND ${ICOTOOL} -l ${icon} OUTPUT_VARIABLE images)
        string(STRIP "${images}" images)
        if(failed OR NOT images MATCHES "^--icon --index=1 --width=32 --height=32 --bit-depth=32 [^\n]*$")
            fail("icon group 104 is not one 32x32 32-bit image: ${images}")
        endif()
        execute_process(COMMAND ${WRESTOOL} -x --raw --type=24 --name=1 ${EXE}
                        OUTPUT_VARIABLE manifest)
        file(READ ${MANIFEST} source_manifest)
        if(NOT manifest STREQUAL source_manifest)
            fail("the embedded manifest differs from ${MANIFEST}:\n${manifest}")
        endif()
        if(NOT manifest MATCHES "level=\"asInvoker\" uiAccess=\"false\"")
            fail("the manifest does not ask for asInvoker without uiAccess")
        endif()
    else()
        fail("unknown OVENBELL_CHECK '${OVENBELL_CHECK}'")
    endif()
    return()
endif()

if(NOT WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/linux_program_tests.cmake OPTIONAL)
    return()
endif()
if(NOT TARGET ovenbell)
    return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(expected_format pei-i386)
else()
    set(expected_format pei-x86-64)
endif()
add_test(NAME windows_exe.imports_only_system_dlls
         COMMAND ${CMAKE_COMMAND} -DOVENBELL_CHECK=imports -DEXE=$<TARGET_FILE:ovenbell>
                 -DOBJDUMP=${CMAKE_OBJDUMP} -DEXPECTED_FORMAT=${expected_format}
                 -P ${CMAKE_CURRENT_LIST_FILE})
add_test(NAME windows_exe.icon_and_manifest_only
         COMMAND ${CMAKE_COMMAND} -DOVENBELL_CHECK=resources -DEXE=$<TARGET_FILE:ovenbell>
                 -DMANIFEST=${CMAKE_SOURCE_DIR}/resources/ovenbell.manifest
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR} -P ${CMAKE_CURRENT_LIST_FILE})
set_tests_properties(windows_exe.imports_only_system_dlls windows_exe.icon_and_manifest_only
                     PROPERTIES LABELS windows-exe)

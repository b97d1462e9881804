# The program: shell and face painter, plain Win32 code compiled against <windows.h> on Windows
# and against our stand-in elsewhere.
set(OVENBELL_PROGRAM_SOURCES
    ${CMAKE_SOURCE_DIR}/shell/win_main.cpp
    ${CMAKE_SOURCE_DIR}/shell/start_seconds.cpp
    ${CMAKE_SOURCE_DIR}/shell/timer_window.cpp
    ${CMAKE_SOURCE_DIR}/shell/expiry_alert.cpp
    ${CMAKE_SOURCE_DIR}/shell/taskbar_progress.cpp
    ${CMAKE_SOURCE_DIR}/shell/platform_seam_win32.cpp
    ${CMAKE_SOURCE_DIR}/face/face_painter.cpp)

if(NOT EXISTS ${CMAKE_SOURCE_DIR}/shell/win_main.cpp)
    return()
endif()

if(WIN32)
    include(${CMAKE_SOURCE_DIR}/cmake/windows_program.cmake OPTIONAL)
else()
    include(${CMAKE_SOURCE_DIR}/cmake/linux_program.cmake OPTIONAL)
endif()

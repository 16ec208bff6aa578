# The Windows side: the platform adapters on the Win32 API, no Qt.
#
# vesperon_win32           every adapter, on the system's calls, but the one
#                          that can switch the machine off; the tests link this
# vesperon_win32_platform  the platform factory and the system's power-off
#                          calls; only the program links this
file(GLOB_RECURSE VESPERON_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp ${CMAKE_SOURCE_DIR}/src/platform/win32/*.h)
set(VESPERON_WIN32_PLATFORM_SOURCES
  ${CMAKE_SOURCE_DIR}/src/platform/win32/platform_factory.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/win32/platform_factory.h
  ${CMAKE_SOURCE_DIR}/src/platform/win32/system_power_calls.cpp)
list(REMOVE_ITEM VESPERON_WIN32_SOURCES ${VESPERON_WIN32_PLATFORM_SOURCES})

add_library(vesperon_win32 STATIC ${VESPERON_WIN32_SOURCES})
target_link_libraries(vesperon_win32 PUBLIC vesperon_core advapi32 user32 shell32 ole32)

add_library(vesperon_win32_platform STATIC ${VESPERON_WIN32_PLATFORM_SOURCES})
target_link_libraries(vesperon_win32_platform PUBLIC vesperon_win32)

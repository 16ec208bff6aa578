# The Windows side: the platform adapters on the Win32 API, no Qt.
#
# vesperon_win32           the Win32 layer (src/win32: clock, timers, pictures,
#                          window routing, wide text, drawing and dialogs) and
#                          every adapter on the system's calls but the one
#                          that can switch the machine off; the tests link this
# vesperon_win32_platform  the platform factory and the system's power-off
#                          calls; only the program links this
file(GLOB_RECURSE VESPERON_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/win32/*.cpp ${CMAKE_SOURCE_DIR}/src/win32/*.h
  ${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp ${CMAKE_SOURCE_DIR}/src/platform/win32/*.h)
set(VESPERON_WIN32_PLATFORM_SOURCES
  ${CMAKE_SOURCE_DIR}/src/platform/win32/platform_factory.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/win32/platform_factory.h
  ${CMAKE_SOURCE_DIR}/src/platform/win32/system_power_calls.cpp)
list(REMOVE_ITEM VESPERON_WIN32_SOURCES ${VESPERON_WIN32_PLATFORM_SOURCES})

add_library(vesperon_win32 STATIC ${VESPERON_WIN32_SOURCES})
target_link_libraries(vesperon_win32 PUBLIC vesperon_core advapi32 user32 shell32 ole32 comctl32 gdi32)

add_library(vesperon_win32_platform STATIC ${VESPERON_WIN32_PLATFORM_SOURCES})
target_link_libraries(vesperon_win32_platform PUBLIC vesperon_win32)

# vesperon_win32_views     the views: every src/<subsystem>/win32 folder
# vesperon                 the program: the views, the platform and the
#                          resources, one file that needs no DLL beside it
set(VESPERON_WIN32_VIEW_SOURCES ${VESPERON_ALL_SOURCES})
list(FILTER VESPERON_WIN32_VIEW_SOURCES INCLUDE REGEX "/src/[^/]+/win32/")
list(FILTER VESPERON_WIN32_VIEW_SOURCES EXCLUDE REGEX "/src/platform/|/win_main\\.cpp$")
add_library(vesperon_win32_views STATIC ${VESPERON_WIN32_VIEW_SOURCES})
# Active Accessibility for the clock's face.
target_link_libraries(vesperon_win32_views PUBLIC vesperon_win32 oleacc oleaut32)

# The resources: the built-in pictures under their file names (P_0.BMP for
# 0.bmp), the manifest and the version.
enable_language(RC)
set(VESPERON_RESOURCES_DIR ${CMAKE_SOURCE_DIR}/resources)
set(VESPERON_MANIFEST ${CMAKE_BINARY_DIR}/vesperon.exe.manifest)
configure_file(${CMAKE_SOURCE_DIR}/src/app/win32/vesperon.exe.manifest.in ${VESPERON_MANIFEST} @ONLY)
file(GLOB vesperon_pictures CONFIGURE_DEPENDS
  ${VESPERON_RESOURCES_DIR}/*.bmp ${VESPERON_RESOURCES_DIR}/*.ico ${VESPERON_RESOURCES_DIR}/*.cur)
set(VESPERON_PICTURE_RESOURCES "")
foreach(picture IN LISTS vesperon_pictures)
  get_filename_component(name ${picture} NAME)
  string(TOUPPER "P_${name}" resource)
  if(name MATCHES "\\.ico$")
    set(type ICON)
  elseif(name MATCHES "\\.cur$")
    set(type CURSOR)
  else()
    set(type BITMAP)
  endif()
  string(APPEND VESPERON_PICTURE_RESOURCES "${resource} ${type} \"${picture}\"\n")
endforeach()
set(VESPERON_RC ${CMAKE_BINARY_DIR}/vesperon.rc)
configure_file(${CMAKE_SOURCE_DIR}/src/app/win32/vesperon.rc.in ${VESPERON_RC} @ONLY)

add_executable(vesperon WIN32 ${CMAKE_SOURCE_DIR}/src/app/win32/win_main.cpp ${VESPERON_RC})
target_link_libraries(vesperon PRIVATE vesperon_win32_views vesperon_win32_platform)
set_source_files_properties(${VESPERON_RC} PROPERTIES
  OBJECT_DEPENDS "${vesperon_pictures};${VESPERON_MANIFEST}")

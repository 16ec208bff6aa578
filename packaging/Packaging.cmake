# Installing and packaging: the program with its desktop entry, icons,
# AppStream metadata, manual page, licence and sample skins, where a Linux
# distribution puts them (`cmake --install`, honouring CMAKE_INSTALL_PREFIX
# and DESTDIR), and the Debian package that `cpack -G DEB` makes of them.
include(GNUInstallDirs)

set(VESPERON_MAINTAINER "The Vesperon developers <vesperon@example.org>"
    CACHE STRING "The package's maintainer, a name and a mail address")
set(VESPERON_DOCS_URL ""
    CACHE STRING "Web address where the repository's docs/ folder is published; the AppStream \
metadata shows its screenshots from there, and leaves them out while this is empty")

set(VESPERON_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VESPERON_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)

find_program(VESPERON_GZIP gzip REQUIRED)

# gzip -9n: the best compression, and no name or time stamp in the header,
# so the same input always gives the same bytes.
function(vesperon_gzip input output)
  execute_process(COMMAND ${VESPERON_GZIP} -9n -c ${input} OUTPUT_FILE ${output}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${input}")
  endif()
endfunction()

# --- the description: the README's paragraph that says what Vesperon is ------
file(READ ${CMAKE_SOURCE_DIR}/README.md readme)
string(REGEX MATCH "\nVesperon is [^\n]+(\n[^\n]+)*" description "${readme}")
if(NOT description)
  message(FATAL_ERROR "README.md has no paragraph beginning \"Vesperon is\" to describe the package")
endif()
string(STRIP "${description}" description)
string(REPLACE "\n" " " description_line "${description}")
set(description_xml "${description_line}")
string(REPLACE "&" "&amp;" description_xml "${description_xml}")
string(REPLACE "<" "&lt;" description_xml "${description_xml}")

# --- files made from templates --------------------------------------------------
set(VESPERON_DESCRIPTION "${description_xml}")
set(VESPERON_SCREENSHOTS "")
if(VESPERON_DOCS_URL)
  string(REGEX REPLACE "/+$" "" docs "${VESPERON_DOCS_URL}")
  string(CONCAT VESPERON_SCREENSHOTS
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>The clock, waiting for its time</caption>\n"
    "      <image>${docs}/screenshot.png</image>\n"
    "    </screenshot>\n"
    "    <screenshot>\n"
    "      <caption>The countdown before the power-off</caption>\n"
    "      <image>${docs}/countdown.png</image>\n"
    "    </screenshot>\n"
    "  </screenshots>\n")
endif()
configure_file(${VESPERON_PACKAGING_DIR}/vesperon.metainfo.xml.in
               ${VESPERON_GENERATED_DIR}/vesperon.metainfo.xml @ONLY)

configure_file(${VESPERON_PACKAGING_DIR}/vesperon.1.in ${VESPERON_GENERATED_DIR}/vesperon.1 @ONLY)
vesperon_gzip(${VESPERON_GENERATED_DIR}/vesperon.1 ${VESPERON_GENERATED_DIR}/vesperon.1.gz)

configure_file(${VESPERON_PACKAGING_DIR}/changelog.in ${VESPERON_GENERATED_DIR}/changelog @ONLY)
vesperon_gzip(${VESPERON_GENERATED_DIR}/changelog ${VESPERON_GENERATED_DIR}/changelog.gz)

# The licence in Debian's machine-readable form: the copyright line and the
# licence's own text from LICENSE, the text indented one blank, empty lines
# as " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE
                                                               ${CMAKE_SOURCE_DIR}/README.md)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\([cC]\\) ([^\n]+)\n" copyright_line "${licence}")
if(NOT copyright_line)
  message(FATAL_ERROR "LICENSE has no \"Copyright (c)\" line")
endif()
set(VESPERON_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${licence}" "${copyright_line}" at)
string(LENGTH "${copyright_line}" length)
math(EXPR at "${at} + ${length}")
string(SUBSTRING "${licence}" ${at} -1 licence_text)
string(STRIP "${licence_text}" licence_text)
string(REGEX REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REPLACE "\n" "\n " VESPERON_LICENSE_TEXT " ${licence_text}")
configure_file(${VESPERON_PACKAGING_DIR}/copyright.in ${VESPERON_GENERATED_DIR}/copyright @ONLY)

# --- install rules --------------------------------------------------------------
set(VESPERON_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vesperon)
set(VESPERON_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vesperon)

install(TARGETS vesperon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vesperon-skin)
  install(TARGETS vesperon-skin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(${VESPERON_PACKAGING_DIR}/vesperon-skin.1.in
                 ${VESPERON_GENERATED_DIR}/vesperon-skin.1 @ONLY)
  vesperon_gzip(${VESPERON_GENERATED_DIR}/vesperon-skin.1 ${VESPERON_GENERATED_DIR}/vesperon-skin.1.gz)
  install(FILES ${VESPERON_GENERATED_DIR}/vesperon-skin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/skins)
  # The skins' own files only, whatever else the folder holds.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION ${VESPERON_DATA_DIR}/Skins
          FILES_MATCHING PATTERN "*.bmp" PATTERN "*.ico" PATTERN "skin.ini")
endif()

install(FILES ${VESPERON_PACKAGING_DIR}/vesperon.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
file(GLOB icons ${CMAKE_SOURCE_DIR}/resources/vesperon-*.png)
foreach(icon IN LISTS icons)
  string(REGEX REPLACE ".*/vesperon-([0-9]+)\\.png$" "\\1" size "${icon}")
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vesperon.png)
endforeach()
install(FILES ${VESPERON_GENERATED_DIR}/vesperon.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VESPERON_GENERATED_DIR}/vesperon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VESPERON_GENERATED_DIR}/copyright ${VESPERON_GENERATED_DIR}/changelog.gz
        DESTINATION ${VESPERON_DOC_DIR})

# --- the Debian package -----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesperon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VESPERON_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clock that powers the computer off at a time of day you set")
set(CPACK_PACKAGE_DESCRIPTION "${description}\n\nThe program speaks Spanish.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vesperon_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from the libraries the program links; Recommends for what it can do
# without: the melody needs a sound server, a power-off with other users
# logged in asks for a password through a polkit agent, logind does the
# power-off itself, and a Wayland session with no XWayland needs Qt's
# Wayland platform.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "pulseaudio | pipewire-pulse, default-logind | logind, policykit-1-gnome | polkit-1-auth-agent, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_VESPERON_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS ${VESPERON_PACKAGING_DIR}/strip_programs.cmake)
include(CPack)

# SPDX-License-Identifier: GPL-3.0-or-later
# The data that ships with the programs, their installation and the Debian package.
#
# Installed layout (the programs find share/quillmark from their own place, so a
# prefix can be moved as a whole):
#   bin/quillmark, bin/quillmark-cli
#   share/quillmark/             help.html, html/ (cache page template and images), *.bmp (OV2 icons)
#   share/applications/quillmark.desktop
#   share/icons/hicolor/scalable/apps/quillmark.svg
#   share/mime/packages/quillmark.xml   (.loc and .ov2; GPX is known already)
# The build tree gets the same share/quillmark beside its programs.

set(QUILL_DATA_DIR share/quillmark)

# help.html, everything under resources/html, and the OV2 icons; the page the
# program generates beside the template never ships.
file(GLOB_RECURSE QUILL_DATA_FILES RELATIVE ${CMAKE_SOURCE_DIR}/resources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/resources/html/* ${CMAKE_SOURCE_DIR}/resources/*.bmp)
list(FILTER QUILL_DATA_FILES EXCLUDE REGEX "(^|/)tmp\\.htm$")
list(PREPEND QUILL_DATA_FILES help.html)

set(_quill_staged)
foreach(rel ${QUILL_DATA_FILES})
  set(src ${CMAKE_SOURCE_DIR}/resources/${rel})
  set(dst ${CMAKE_BINARY_DIR}/${QUILL_DATA_DIR}/${rel})
  add_custom_command(OUTPUT ${dst} COMMAND ${CMAKE_COMMAND} -E copy ${src} ${dst} DEPENDS ${src} VERBATIM)
  list(APPEND _quill_staged ${dst})
  get_filename_component(sub ${rel} DIRECTORY)
  install(FILES ${src} DESTINATION ${QUILL_DATA_DIR}/${sub})
endforeach()
add_custom_target(quillmark_data ALL DEPENDS ${_quill_staged})
add_dependencies(quillmark-cli quillmark_data)

install(TARGETS quillmark-cli RUNTIME DESTINATION bin)
if(TARGET quillmark)
  add_dependencies(quillmark quillmark_data)
  install(TARGETS quillmark RUNTIME DESTINATION bin)
  install(FILES packaging/quillmark.desktop DESTINATION share/applications)
  install(FILES packaging/quillmark.svg DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES packaging/quillmark-mime.xml DESTINATION share/mime/packages RENAME quillmark.xml)
endif()

# ---- Debian package: `cpack -G DEB` in the build folder (scripts/package wraps it) ----
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "position converter and waypoint list for geocachers")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmark converts a position between notations (degrees and minutes, RD, Lambert72, UTM, ECEF) and keeps a waypoint list that loads, merges, sorts, filters and saves GPX with geocache data, LOC, TomTom OV2, text and CSV files. quillmark-cli offers the same on the command line.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarnwick <quillmark@tarnwick.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link (Qt, libcurl, the C++ runtime) become
# the dependencies, with the versions dpkg-shlibdeps reads from them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland sessions without XWayland need Qt's Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)

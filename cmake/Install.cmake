# SPDX-License-Identifier: GPL-3.0-or-later
# The data that ships with the programs, their installation and the Debian package.
#
# Installed layout (the programs find share/quillmark from their own place, so a
# prefix can be moved as a whole):
#   bin/quillmark, bin/quillmark-cli
#   share/quillmark/             help.html, html/ (cache page template and images), *.bmp (OV2 icons),
#                                translations/*.qm (the window in other languages)
#   share/applications/quillmark.desktop
#   share/icons/hicolor/scalable/apps/quillmark.svg
#   share/mime/packages/quillmark.xml   (.loc and .ov2; GPX is known already)
#   share/doc/quillmark/copyright, changelog.gz
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

# ---- manual pages and shell completions, written from the help tables ----
# scdoc renders the pages; without it the build leaves them out and says so.
find_program(QUILL_SCDOC scdoc)
set(_quill_doc_programs quillmark-cli)
if(TARGET quillmark)
  list(APPEND _quill_doc_programs quillmark)
endif()
set(_quill_docs)
foreach(program ${_quill_doc_programs})
  set(bash ${CMAKE_BINARY_DIR}/completion/${program})
  set(zsh ${CMAKE_BINARY_DIR}/completion/_${program})
  add_custom_command(OUTPUT ${bash} ${zsh}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/completion
                     COMMAND quillmark-docgen bash ${program} ${bash}
                     COMMAND quillmark-docgen zsh ${program} ${zsh}
                     DEPENDS quillmark-docgen VERBATIM)
  list(APPEND _quill_docs ${bash} ${zsh})
  install(FILES ${bash} DESTINATION share/bash-completion/completions)
  install(FILES ${zsh} DESTINATION share/zsh/vendor-completions)
  if(QUILL_SCDOC)
    set(scd ${CMAKE_BINARY_DIR}/man/${program}.1.scd)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                       COMMAND quillmark-docgen man ${program} ${scd}
                       COMMAND sh -c "\"$1\" < \"$2\" > \"$3\"" sh ${QUILL_SCDOC} ${scd} ${page}
                       COMMAND gzip -9nf ${page}
                       DEPENDS quillmark-docgen VERBATIM)
    list(APPEND _quill_docs ${page}.gz)
    install(FILES ${page}.gz DESTINATION share/man/man1)
  endif()
endforeach()
if(NOT QUILL_SCDOC)
  message(WARNING "scdoc not found: the manual pages are left out (scripts/setup-deps installs it)")
endif()
add_custom_target(quillmark_docs ALL DEPENDS ${_quill_docs})

# A stripped install (the package) also loses the compiler's notes, as
# Debian's own strip step does.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(program quillmark quillmark-cli)
        set(path \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${program}\")
        if(EXISTS \"\${path}\")
          execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note \"\${path}\"
                          COMMAND_ERROR_IS_FATAL ANY)
        endif()
      endforeach()
    endif()")
endif()

# The copyright file in the machine-readable format, and the changelog, which
# must name the version this build is.
configure_file(packaging/copyright ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
configure_file(packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
file(STRINGS packaging/changelog _quill_changelog_top LIMIT_COUNT 1)
if(NOT _quill_changelog_top MATCHES "^quillmark \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with '${_quill_changelog_top}', not version ${PROJECT_VERSION}")
endif()
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/packaging/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/quillmark)

# ---- Debian package: `cpack -G DEB` in the build folder (scripts/package wraps it) ----
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QUILL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILL_HOMEPAGE}")
# The synopsis, then the extended description in lines that fit lintian's
# 80 columns; a line of one "." is an empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "position converter and waypoint list for geocachers
Quillmark converts one position between the notations a geocacher meets:
WGS84, ED50 and Bessel degrees, the Dutch RD grid, the Belgian Lambert72
grid, UTM and ECEF.
.
Its waypoint list loads and merges GPX files with geocache data, LOC,
TomTom OV2, text, CSV and ASC files; it sorts, searches, filters, renames
and edits them, shows the offline page of a cache, and saves the list in
any of those formats or as KML.
.
quillmark-cli does the same on the command line, in pipes beside GPSBabel.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link (Qt, libcurl, libzip, ISA-L, the C++ runtime) become
# the dependencies, with the versions dpkg-shlibdeps reads from them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland sessions without XWayland need Qt's Wayland plugin; Qt's own
# translations give the standard buttons and file dialogs in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)

# What a distribution package needs besides the programs: the manual pages
# and shell completions (written from the programs' own help texts), and the
# Debian package made by CPack:
#
#   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
#   cmake --build build-release && (cd build-release && cpack -G DEB)
#
# gives build-release/vantrel_VERSION_ARCH.deb.

find_package(Python3 COMPONENTS Interpreter)
set(VANTREL_SHELL_FILES ${PROJECT_BINARY_DIR}/shell-files)
set(VANTREL_ZSH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
    CACHE STRING "Where the zsh completion is installed, below the prefix")
if(CMAKE_CROSSCOMPILING)
  # The programs of a cross build do not run here; the native build writes
  # these files (they are the same texts).
  message(STATUS "Cross build: the manual pages and shell completions are not written")
elseif(Python3_Interpreter_FOUND)
  set(_outputs ${VANTREL_SHELL_FILES}/man1/vantrel-cli.1.gz
               ${VANTREL_SHELL_FILES}/bash-completion/vantrel-cli ${VANTREL_SHELL_FILES}/zsh/_vantrel-cli)
  set(_args --cli $<TARGET_FILE:vantrel-cli> --out ${VANTREL_SHELL_FILES})
  set(_depends vantrel-cli ${PROJECT_SOURCE_DIR}/scripts/make_shell_files.py)
  if(TARGET vantrel)
    list(APPEND _outputs ${VANTREL_SHELL_FILES}/man1/vantrel.1.gz)
    list(APPEND _args --wizard $<TARGET_FILE:vantrel>)
    list(APPEND _depends vantrel)
  endif()
  add_custom_command(OUTPUT ${_outputs}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make_shell_files.py ${_args}
    DEPENDS ${_depends}
    COMMENT "Writing the manual pages and shell completions from the help texts"
    VERBATIM)
  add_custom_target(vantrel-shell-files ALL DEPENDS ${_outputs})
  foreach(_page vantrel-cli vantrel)
    if(_page STREQUAL vantrel-cli OR TARGET vantrel)
      install(FILES ${VANTREL_SHELL_FILES}/man1/${_page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
  install(FILES ${VANTREL_SHELL_FILES}/bash-completion/vantrel-cli
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  install(FILES ${VANTREL_SHELL_FILES}/zsh/_vantrel-cli DESTINATION ${VANTREL_ZSH_COMPLETION_DIR})
else()
  message(STATUS "No Python 3: the manual pages and shell completions are not written")
endif()

# The wizard's AppStream metainfo, with the version and date of the release
# (app/ installs it; test.sh validates it).
configure_file(${PROJECT_SOURCE_DIR}/cmake/org.example.vantrel.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/org.example.vantrel.metainfo.xml @ONLY)

# The package's documents: the copyright file and the change log in the
# Debian format, written from CHANGELOG.md.
set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/vantrel)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright DESTINATION ${_docdir})
if(Python3_Interpreter_FOUND)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/debian_changelog.py
            ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_VERSION}
    DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/scripts/debian_changelog.py
    VERBATIM)
  add_custom_target(vantrel-changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${_docdir} RENAME changelog.Debian.gz)
endif()

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel developers")
set(CPACK_PACKAGE_CONTACT "Vantrel developers <vantrel@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup-authoring wizard for Tessary 9 applications")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Vantrel describes how a finished Tessary application is installed on other\n"
       "machines and makes the installation set for its setup engine: setup scripts,\n"
       "the engine's files, the components and the media (a CD folder or floppy\n"
       "sets). It offers a wizard and vantrel-cli, the same engine for scripts and CI.")
set(CPACK_GENERATOR DEB)
# Installed with DESTDIR and the /usr prefix, whatever the build folder was
# configured with, so that the configuration goes to /etc.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/vantrel")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The machine hive is configuration the administrator may edit.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/conffiles)
file(WRITE ${PROJECT_BINARY_DIR}/conffiles "/etc/vantrel/machine.reg\n")
include(CPack)

# The sample installation: installation/ in the sources holds its scripts and
# files; the setup engine's two start programs (Distrib/setup32.exe and
# Distrib/Setup/setup.exe) are build products. The build never writes into
# the sources: each build folder gets its own copy, laid out as an installed
# tree is (<build>/share/vantrel/installation), and engine/ puts the engine's
# copies into it. The build folder's machine hive names that copy.
set(VANTREL_SAMPLE_SOURCE ${PROJECT_SOURCE_DIR}/installation)
set(VANTREL_SAMPLE_INSTALL_REL share/vantrel/installation)
# Where it is installed: the data folder of the system's layout.
set(VANTREL_SAMPLE_INSTALL_DEST ${CMAKE_INSTALL_DATADIR}/vantrel/installation)
set(VANTREL_SAMPLE_INSTALL ${PROJECT_BINARY_DIR}/${VANTREL_SAMPLE_INSTALL_REL})
# The engine's start programs, relative to the installation.
set(VANTREL_SAMPLE_ENGINE_FILES Distrib/setup32.exe Distrib/Setup/setup.exe)

# Earlier builds put the engine's copies into the sources; they are no longer
# used and only make the source folder larger.
foreach(_engine_file ${VANTREL_SAMPLE_ENGINE_FILES})
  if(EXISTS ${VANTREL_SAMPLE_SOURCE}/${_engine_file})
    message(WARNING "installation/${_engine_file} was left there by an earlier build; "
                    "the build no longer uses it. Delete it.")
  endif()
endforeach()

# One copy command per file, so that a changed file is all that is copied again.
file(GLOB_RECURSE _sample_files CONFIGURE_DEPENDS LIST_DIRECTORIES false
     RELATIVE ${VANTREL_SAMPLE_SOURCE} ${VANTREL_SAMPLE_SOURCE}/*)
list(REMOVE_ITEM _sample_files .gitattributes ${VANTREL_SAMPLE_ENGINE_FILES})
set(_sample_out)
foreach(_file ${_sample_files})
  set(_dest ${VANTREL_SAMPLE_INSTALL}/${_file})
  add_custom_command(OUTPUT ${_dest}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VANTREL_SAMPLE_SOURCE}/${_file} ${_dest}
    DEPENDS ${VANTREL_SAMPLE_SOURCE}/${_file} VERBATIM)
  list(APPEND _sample_out ${_dest})
endforeach()
# engine/ adds the engine's copies to this target.
add_custom_target(vantrel-sample-installation ALL DEPENDS ${_sample_out})

include(${CMAKE_CURRENT_LIST_DIR}/machine_hive.cmake)
vantrel_write_machine_hive(${PROJECT_SOURCE_DIR}/cmake/machine.reg.in
                           ${PROJECT_BINARY_DIR}/etc/vantrel/machine.reg ${VANTREL_SAMPLE_INSTALL})

# Installed: the sample installation under share/, the engine's copies inside
# it (engine/ installs them) and etc/vantrel/machine.reg naming it, written
# when installing so that it holds the prefix given to `cmake --install`.
install(DIRECTORY ${VANTREL_SAMPLE_SOURCE}/ DESTINATION ${VANTREL_SAMPLE_INSTALL_DEST}
  PATTERN .gitattributes EXCLUDE
  PATTERN setup32.exe EXCLUDE
  PATTERN setup.exe EXCLUDE)
install(CODE "
  include(\"${PROJECT_SOURCE_DIR}/cmake/machine_hive.cmake\")
  vantrel_install_machine_hive(\"${PROJECT_SOURCE_DIR}/cmake/machine.reg.in\"
                               \"${VANTREL_SAMPLE_INSTALL_DEST}\" \"${CMAKE_INSTALL_SYSCONFDIR}\")
")

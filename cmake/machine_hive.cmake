# Writes the machine hive etc/vantrel/machine.reg, which names the sample
# installation as "Install Location". Included when configuring (the build
# folder's hive) and when installing (the installed hive).

# Writes `file` from `template`, naming `install_location`: CR LF line ends,
# backslashes and quotes escaped as a .reg file escapes them.
function(vantrel_write_machine_hive template file install_location)
  string(REPLACE "\\" "\\\\" _value "${install_location}")
  string(REPLACE "\"" "\\\"" VANTREL_HIVE_INSTALL_LOCATION "${_value}")
  configure_file(${template} ${file} @ONLY NEWLINE_STYLE CRLF)
endfunction()

# At install time: <prefix>/etc/vantrel/machine.reg naming
# <prefix>/`installation_rel`, the prefix being the one given to
# `cmake --install` (below $DESTDIR when that is set).
function(vantrel_install_machine_hive template installation_rel)
  get_filename_component(_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
  set(_file "$ENV{DESTDIR}${_prefix}/etc/vantrel/machine.reg")
  message(STATUS "Installing: ${_file}")
  vantrel_write_machine_hive("${template}" "${_file}" "${_prefix}/${installation_rel}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_file}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

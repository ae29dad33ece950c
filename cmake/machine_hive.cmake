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

# At install time: SYSCONFDIR/vantrel/machine.reg naming
# <prefix>/`installation_rel`, the prefix being the one given to
# `cmake --install` (below $DESTDIR when that is set). SYSCONFDIR is
# `sysconfdir` below the prefix (etc), or /etc for the /usr prefix, as
# GNUInstallDirs lays it out; an absolute `sysconfdir` is taken as it is.
function(vantrel_install_machine_hive template installation_rel sysconfdir)
  get_filename_component(_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
  if(IS_ABSOLUTE "${sysconfdir}")
    set(_etc "${sysconfdir}")
  elseif(_prefix STREQUAL "/usr" AND sysconfdir STREQUAL "etc")
    set(_etc "/etc")
  else()
    set(_etc "${_prefix}/${sysconfdir}")
  endif()
  set(_file "$ENV{DESTDIR}${_etc}/vantrel/machine.reg")
  message(STATUS "Installing: ${_file}")
  vantrel_write_machine_hive("${template}" "${_file}" "${_prefix}/${installation_rel}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_file}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

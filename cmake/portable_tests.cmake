# On Windows, the test files that call POSIX themselves (a shell, fork,
# chmod, signals) are left out; every other test runs there too.
function(vantrel_portable_tests list)
  if(NOT WIN32)
    return()
  endif()
  set(_kept)
  foreach(_file ${${list}})
    file(STRINGS ${_file} _posix REGEX
         "^#include <(unistd|fcntl|pwd|signal|csignal|dirent|spawn|sys/[a-z_/]+)\\.?h?>")
    file(STRINGS ${_file} _shell REGEX "RunShell|RunCliIn|popen|zip_test_util|media_fixture")
    if(NOT _posix AND NOT _shell)
      list(APPEND _kept ${_file})
    endif()
  endforeach()
  set(${list} ${_kept} PARENT_SCOPE)
endfunction()

# On Windows, the test files that still call POSIX themselves (a shell, fork,
# signals, resource limits, modes) are left out; every other test runs there
# too. The test support keeps what differs between the systems (a `_posix`
# and a `_win` file): vantrel-cli is started through the shell here and
# directly there.
function(vantrel_portable_tests list)
  if(NOT WIN32)
    return()
  endif()
  set(_kept)
  foreach(_file ${${list}})
    file(STRINGS ${_file} _posix REGEX
         "^#include <(unistd|fcntl|pwd|signal|csignal|dirent|spawn|sys/[a-z_/]+)\\.?h?>")
    file(STRINGS ${_file} _shell REGEX "RunShell|popen")
    if(NOT _posix AND NOT _shell)
      list(APPEND _kept ${_file})
    endif()
  endforeach()
  set(${list} ${_kept} PARENT_SCOPE)
endfunction()

# The tests that hold for POSIX systems only, left out on Windows, each for
# a difference between the systems (not a fault of the Windows build):
set(VANTREL_POSIX_ONLY_TESTS
  # Windows paths ("C:\...", "\\server\share") are volumes of this system.
  Volumes.PathsOfThisHostAndWindowsPaths
  # Programs are named "*.exe"; "D:\Programme" is a local path here and is
  # looked at on the disk.
  SystemFoldersTest.DefaultWindowsInstallationWithoutRegistryValues
  SystemFoldersTest.RegistryValuesWinOverDefaults
  # They make symbolic links, which a Windows user may not make.
  FilesBelow.NoLinkIsFollowedOnTheWayOrAtTheEnd
  FilesBelow.MakesMissingFoldersAndReplacesFilesWhole
  ReadComponentScript.StringFilesAreReadOnlyInsideTheStringFolder
  SandboxInstall.LinksInTheRootAreNeverFollowed
  ZipReaderTest.SymbolicLinksInTheDestinationAreNotFollowed
  # File names are found without regard to case by the file system itself.
  LoadScript.ScriptsAreLocatedInTheFoldersOfTheMoment
  # It makes "help" beside "Help/", names one folder holds once only here.
  FloppyBuild.AFileWhereAFolderGoesFailsAsItsCopyDid
  # They make files whose names Windows cannot hold ("AUX.txt", "a:b.txt",
  # "nul.ttf").
  TargetTree.NamesWindowsCannotHoldAreRefusedAndNothingIsAdded
  TrueTypeName.NameRecordsThatAreUsedAndOnesThatAreNot
  # They check our archives against zip, unzip, zipinfo and python3, or read
  # what zip made.
  ZipReaderTest.ReadsInfoZipArchives
  ZipInteropTest.UnzipZipinfoAndPythonAcceptOurArchives
  # The registry editor stand-in is a shell script.
  RegistryEntryActions.EditorIsLookedForInTheWindowsFolder
)
set(VANTREL_TEST_FILTER)
set(VANTREL_TEST_ENVIRONMENT)
if(WIN32)
  string(JOIN ":" _posix_only ${VANTREL_POSIX_ONLY_TESTS})
  set(VANTREL_TEST_FILTER "--gtest_filter=-${_posix_only}")
  # Under wine (CMAKE_CROSSCOMPILING_EMULATOR): a prefix of the build
  # folder's own, and no debugging chatter.
  if(CMAKE_CROSSCOMPILING)
    set(VANTREL_TEST_ENVIRONMENT ";WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all")
  endif()
endif()

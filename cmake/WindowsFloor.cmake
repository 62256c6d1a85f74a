# The oldest Windows the programs run on: Windows 10 (its first release, 1507). Every Windows target is
# compiled against that version's API, so that the SDK's headers hide what came later (both tool chains
# read the same macros). mingw-w64's headers guard few functions by version; the import check
# (cmake/CheckImports.cmake) therefore also refuses, by name, functions known to be newer than the floor.
if(WIN32)
  set(KORVANE_WINDOWS_FLOOR 0x0A00)
  add_compile_definitions(_WIN32_WINNT=${KORVANE_WINDOWS_FLOOR} WINVER=${KORVANE_WINDOWS_FLOOR}
    NTDDI_VERSION=0x0A000000)
endif()

# cmake -DEXE=korvane.exe -DOBJDUMP=objdump [-DMAX_BYTES=n] -P CheckImports.cmake
# Fails when the program imports a DLL that is not one of Windows' known DLLs, a function newer than the
# oldest Windows the programs support (cmake/WindowsFloor.cmake), or grows beyond MAX_BYTES.
# Every DLL and the verdict are printed, so a failure says which import is foreign.
# Only a known DLL (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs, Windows 10 and 11)
# is always taken from the system folder: any other import, even one Windows brings (mpr, version,
# uxtheme, comctl32 without a manifest), is looked for beside the program first, where whoever may write
# to the program's folder could plant it. Such DLLs are loaded at run time from the system folder only.
cmake_minimum_required(VERSION 3.21)
set(system_dlls
  advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt normaliz
  nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 ntdll)

# Functions that came after the first Windows 10 and that mingw-w64's headers declare all the same:
# a program importing one of them does not even start on an older Windows 10 (the loader names the missing
# entry point). Pairs of function and the version that brought it.
set(newer_than_floor
  SetThreadDescription "Windows 10 1607"
  GetThreadDescription "Windows 10 1607"
  GetDpiForWindow "Windows 10 1607"
  GetDpiForSystem "Windows 10 1607"
  GetSystemMetricsForDpi "Windows 10 1607"
  AdjustWindowRectExForDpi "Windows 10 1607"
  SetThreadDpiAwarenessContext "Windows 10 1607"
  SetProcessDpiAwarenessContext "Windows 10 1703"
  VirtualAlloc2 "Windows 10 1803"
  MapViewOfFile3 "Windows 10 1803"
  CreatePseudoConsole "Windows 10 1809"
  GetTempPath2W "Windows 11"
  GetTempPath2A "Windows 11")

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump -p ${EXE} failed (${rc})")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${EXE}: no import table found")
endif()
set(foreign "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" lower)
  string(REGEX REPLACE "\\.dll$" "" base "${lower}")
  if(base IN_LIST system_dlls OR base MATCHES "^api-ms-win-")
    message(STATUS "known DLL: ${dll}")
  else()
    message(STATUS "NOT a known DLL: ${dll}")
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${EXE} imports DLLs that are not known DLLs and could be planted beside it: ${foreign}")
endif()
# The imported names: objdump lists each under its DLL as "<address> <hint> <name>".
string(REGEX MATCHALL "\n[ \t]+[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+[A-Za-z_][A-Za-z0-9_@]*" entries "${dump}")
set(imported "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE ".*[ \t]" "" name "${entry}")
  list(APPEND imported ${name})
endforeach()
if(NOT imported)
  message(FATAL_ERROR "${EXE}: no imported function found in the import table; has objdump's format changed?")
endif()
set(too_new "")
list(LENGTH newer_than_floor count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR since_index "${i} + 1")
  list(GET newer_than_floor ${i} function)
  list(GET newer_than_floor ${since_index} since)
  if(function IN_LIST imported)
    message(STATUS "NEWER than Windows 10 (1507): ${function}, since ${since}")
    list(APPEND too_new "${function} (${since})")
  endif()
endforeach()
if(too_new)
  list(JOIN too_new ", " named)
  message(FATAL_ERROR "${EXE} imports functions newer than the oldest supported Windows, Windows 10 (1507): "
    "${named}. Load them at run time with a fallback, or do without.")
endif()
if(DEFINED MAX_BYTES)
  file(SIZE ${EXE} bytes)
  message(STATUS "size: ${bytes} bytes (limit ${MAX_BYTES})")
  if(bytes GREATER MAX_BYTES)
    message(FATAL_ERROR "${EXE} is ${bytes} bytes, more than ${MAX_BYTES}")
  endif()
endif()

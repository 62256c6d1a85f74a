# cmake -DEXE=korvane.exe -DOBJDUMP=objdump [-DMAX_BYTES=n] -P CheckImports.cmake
# Fails when the program imports a DLL that is not one of Windows' known DLLs, or grows beyond MAX_BYTES.
# Every DLL and the verdict are printed, so a failure says which import is foreign.
# Only a known DLL (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs, Windows 10 and 11)
# is always taken from the system folder: any other import, even one Windows brings (mpr, version,
# uxtheme, comctl32 without a manifest), is looked for beside the program first, where whoever may write
# to the program's folder could plant it. Such DLLs are loaded at run time from the system folder only.
cmake_minimum_required(VERSION 3.21)
set(system_dlls
  advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt normaliz
  nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 ntdll)

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
if(DEFINED MAX_BYTES)
  file(SIZE ${EXE} bytes)
  message(STATUS "size: ${bytes} bytes (limit ${MAX_BYTES})")
  if(bytes GREATER MAX_BYTES)
    message(FATAL_ERROR "${EXE} is ${bytes} bytes, more than ${MAX_BYTES}")
  endif()
endif()

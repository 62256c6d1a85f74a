# cmake -DWINWATCH=winwatch.exe -DHELLOBOX=hellobox.exe [-DEMULATOR=wine] -P WinwatchCases.cmake
# winwatch against hellobox: one line per case, saying what differed. Needs a display (under wine an X
# display); without one the cases are skipped (the test reports "no display: skipped").
cmake_minimum_required(VERSION 3.21)
if(EMULATOR AND NOT DEFINED ENV{DISPLAY})
  message("no display: skipped")
  return()
endif()
# Under wine a Unix path is reached through drive Z:.
set(hello "${HELLOBOX}")
if(EMULATOR)
  set(hello "Z:${HELLOBOX}")
endif()

set(failed 0)
# check(NAME EXPECTED_EXIT_CODE ARGS winwatch-arguments... EXPECT regular-expressions-of-the-report...)
function(check name want_rc)
  cmake_parse_arguments(C "" "" "ARGS;EXPECT" ${ARGN})
  execute_process(COMMAND ${EMULATOR} ${WINWATCH} ${C_ARGS} OUTPUT_VARIABLE out ERROR_VARIABLE err
    RESULT_VARIABLE rc TIMEOUT 60)
  string(REPLACE "\r" "" out "${out}${err}")
  set(why "")
  if(NOT rc STREQUAL want_rc)
    string(APPEND why " exit code ${rc}, expected ${want_rc};")
  endif()
  foreach(p IN LISTS C_EXPECT)
    if(NOT out MATCHES "${p}")
      string(APPEND why " nothing matches \"${p}\";")
    endif()
  endforeach()
  if(why)
    message("FAIL ${name}:${why}\n${out}")
    math(EXPR n "${failed} + 1")
    set(failed ${n} PARENT_SCOPE)
  else()
    message("PASS ${name}")
  endif()
endfunction()

check("box answered with OK" 0 ARGS --answer --timeout 30 -- "${hello}"
  EXPECT "window 1 box hellobox at-ms" "first-window-ms [0-9]+" "peak-working-set-kib [1-9]" "windows 1\n" "exit-code 0")
check("declined box without Cancel gets OK, times on the system clock" 0 ARGS --decline --timeout 30 -- "${hello}"
  EXPECT "start-filetime [1-9][0-9]+" "first-window-filetime [1-9][0-9]+" "first-window-cpu-us [0-9]+" "windows 1\n" "exit-code 0")
check("unanswered box ended at the bound" 1 ARGS --timeout 3 -- "${hello}"
  EXPECT "timeout ended by winwatch after 3 s" "windows 1\n" "exit-code 99")
check("program that cannot start" 1 ARGS --answer -- "Z:/nonexistent/none.exe"
  EXPECT "error cannot start" )
check("no program given" 2 ARGS --answer EXPECT "usage: winwatch")

if(failed)
  message(FATAL_ERROR "${failed} case(s) failed")
endif()

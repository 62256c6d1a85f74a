# cmake -DBUILD_DIR=dir -DCONFIG=cfg -DHEADER=h -DALLOWED=target -DFORBIDDEN=target -P CheckLayer.cmake
# ALLOWED links the library of HEADER and must build; FORBIDDEN links only a lower layer and must fail,
# because HEADER is not found (any other failure is reported as such).
cmake_minimum_required(VERSION 3.21)

function(build target)
  # In English whatever the caller's locale (the wine environment sets a German one).
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANG=C LANGUAGE=C
      ${CMAKE_COMMAND} --build ${BUILD_DIR} --config ${CONFIG} --target ${target}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(rc ${rc} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
endfunction()

build(${ALLOWED})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${ALLOWED} includes ${HEADER} and links its library, yet does not build:\n${out}")
endif()
build(${FORBIDDEN})
if(rc EQUAL 0)
  message(FATAL_ERROR "${FORBIDDEN} found ${HEADER} without linking its library")
endif()
# GCC, clang and MSVC (C1083) say so for a header that is not on the include path.
if(NOT out MATCHES "No such file or directory|file not found|C1083")
  message(FATAL_ERROR "${FORBIDDEN} failed, but not for want of ${HEADER}:\n${out}")
endif()
message(STATUS "${FORBIDDEN}: ${HEADER} not found, as it must be")

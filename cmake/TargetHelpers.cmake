# Helpers that make the project's targets: warnings, libraries with their published headers, tests.

# High warning level, warnings as errors, for the project's own targets only.
function(korvane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
      -Wsign-conversion -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
  endif()
endfunction()

# korvane_publish_headers(<target> <prefix> <folder> <subfolder>...)
# Publishes the headers of <folder> (subfolder "." is the folder itself) as "<prefix>/<file>" to the
# target and to what links it, and to nothing else: each target gets its own include root
# <build>/include/<target>/, holding one forwarding header per published header. A source that includes
# a header of a library it does not link finds no such file, so the build refuses the edge.
# Forwarding headers rather than a link to the folder: the compiler, its diagnostics and clang-tidy's
# header filter see the real path under src/, and Windows needs no right to create symbolic links.
function(korvane_publish_headers target prefix folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(wanted "")
  foreach(sub IN LISTS ARGN)
    if(sub STREQUAL ".")
      file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*.h)
    else()
      file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/${sub}/*.h)
    endif()
    foreach(header IN LISTS headers)
      set(forward ${root}/${prefix}/${header})
      file(CONFIGURE OUTPUT ${forward} CONTENT "#include \"${folder}/${header}\"\n" @ONLY)
      list(APPEND wanted ${forward})
    endforeach()
  endforeach()
  # A header that left the folder leaves the include root too.
  file(GLOB_RECURSE present ${root}/*)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST wanted)
      file(REMOVE ${file})
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# A static library of the project.
function(korvane_library target)
  add_library(${target} STATIC ${ARGN})
  korvane_warnings(${target})
endfunction()

# A test executable; under the mingw cross-build CTest runs it through wine.
function(korvane_test target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  korvane_warnings(${target})
  if(MINGW)
    target_link_options(${target} PRIVATE -static)
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120)
endfunction()

# korvane_subsystem(<target> <library it uses>...)
# A subsystem library: the portable sources of its folder, plus win32/ in the Windows build or posix/
# elsewhere; it publishes the headers of the same places as "<folder name>/...". The sources are
# globbed on purpose: a library is its folder (one class per file, files come and go with the classes),
# and CONFIGURE_DEPENDS makes the build notice a new or removed file. Which libraries it uses is
# written out, since that is the layering.
function(korvane_subsystem target)
  if(WIN32)
    set(platform win32)
  else()
    set(platform posix)
  endif()
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB platform_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${platform}/*.cpp)
  get_filename_component(prefix ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(portable OR platform_sources)
    korvane_library(${target} ${portable} ${platform_sources})
    target_link_libraries(${target} PUBLIC ${ARGN})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${ARGN})
  endif()
  korvane_publish_headers(${target} ${prefix} ${CMAKE_CURRENT_SOURCE_DIR} . ${platform})
endfunction()

# korvane_layers(<lowest> ... <highest>)
# Fails the configuration when a library links one of its own layer or above: every arrow points down.
function(korvane_layers)
  set(position 0)
  foreach(layer IN LISTS ARGN)
    get_target_property(links ${layer} LINK_LIBRARIES)
    get_target_property(interface_links ${layer} INTERFACE_LINK_LIBRARIES)
    foreach(used IN LISTS links interface_links)
      list(FIND ARGN "${used}" used_position)
      if(used_position GREATER_EQUAL position)
        message(FATAL_ERROR "${layer} links ${used}, which is not below it (layers, lowest first: ${ARGN})")
      endif()
    endforeach()
    math(EXPR position "${position} + 1")
  endforeach()
endfunction()

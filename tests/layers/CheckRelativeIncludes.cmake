# cmake -DROOT=<source dir> -P CheckRelativeIncludes.cmake
# The layers hold because a library finds only the headers of what it links under their published
# names. A quoted include is looked for beside the including file first, so "../app/modMain.h" would
# reach any header of the tree without a link. No include may climb out of its folder: each one names
# the header by its published name ("files/clsFileString.h") or lies in the same folder or below.
# Prints every offending file and line, then fails.
cmake_minimum_required(VERSION 3.21)
set(found "")
foreach(top IN ITEMS src sim tools tests)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false RELATIVE ${ROOT}
    ${ROOT}/${top}/*.h ${ROOT}/${top}/*.hpp ${ROOT}/${top}/*.cpp ${ROOT}/${top}/*.c ${ROOT}/${top}/*.rc)
  foreach(source IN LISTS sources)
    # One list element per line: brackets and semicolons, which would group or split list elements,
    # do not matter to an include's path and become blanks; a backslash, which would join a line to the
    # next, is a path separator there and becomes "/".
    file(READ ${ROOT}/${source} text)
    string(REPLACE "\\" "/" text "${text}")
    string(REGEX REPLACE "[][;\r]" " " text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"][^\">]*\\.\\./")
        string(STRIP "${line}" line)
        message("${source}:${number}: ${line}")
        list(APPEND found "${source}:${number}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(found)
  list(LENGTH found count)
  message(FATAL_ERROR "${count} include(s) climb out of their folder with \"../\"; include the header by its "
    "published name (\"<layer>/<file>.h\"), which the build admits only when the library links that layer")
endif()
message(STATUS "no include climbs out of its folder")

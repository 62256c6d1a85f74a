# What a Windows installation is: the one self-contained korvane.exe beside its README (with the pictures
# the README shows). `cmake --install` puts them in place; `cpack` (or the `package` target) zips them.
if(TARGET korvane)
  # The batch program for the drawing archive ships beside it.
  set(programs korvane)
  if(TARGET korvane-stapel)
    list(APPEND programs korvane-stapel)
  endif()
  install(TARGETS ${programs} RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION docs)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME korvane)
  set(CPACK_PACKAGE_VENDOR "Korvane")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hintergrundblätter einer Solid-Edge-Zeichnung aus einer Firmenvorlage tauschen")
  set(CPACK_PACKAGE_FILE_NAME "korvane-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
  include(CPack)

  # Each program must run on any Windows without a runtime to install: it may import system DLLs only.
  if(KORVANE_TESTS AND MINGW AND CMAKE_OBJDUMP)
    foreach(program IN LISTS programs)
      add_test(NAME ${program}.imports_only_system_dlls
        COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${program}> -DOBJDUMP=${CMAKE_OBJDUMP}
          -DMAX_BYTES=4194304 -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
    endforeach()
  endif()
endif()

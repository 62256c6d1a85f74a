# What a Windows installation is: the one self-contained korvane.exe beside its README (with the pictures
# the README shows). `cmake --install` puts them in place; `cpack` (or the `package` target) zips them.
if(TARGET korvane)
  install(TARGETS korvane RUNTIME DESTINATION .)
  # The batch program for the drawing archive ships beside it.
  if(TARGET korvane-stapel)
    install(TARGETS korvane-stapel RUNTIME DESTINATION .)
  endif()
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

  # korvane.exe must run on any Windows without a runtime to install: it may import system DLLs only.
  if(KORVANE_TESTS AND MINGW AND CMAKE_OBJDUMP)
    add_test(NAME korvane.imports_only_system_dlls
      COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:korvane> -DOBJDUMP=${CMAKE_OBJDUMP}
        -DMAX_BYTES=4194304 -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
    if(TARGET korvane-stapel)
      add_test(NAME korvane-stapel.imports_only_system_dlls
        COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:korvane-stapel> -DOBJDUMP=${CMAKE_OBJDUMP}
          -DMAX_BYTES=4194304 -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
    endif()
  endif()
endif()

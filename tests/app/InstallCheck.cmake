# Installs the build into a fresh prefix and checks that everything the desktop needs is where
# it looks: the programs, the desktop entry, the MIME package and the icons.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(path
    bin/spekla
    bin/spekla-import
    share/applications/spekla.desktop
    share/mime/packages/spekla.xml
    share/icons/hicolor/scalable/apps/spekla.svg
    share/icons/hicolor/scalable/mimetypes/application-x-spekla-table.svg
    share/icons/hicolor/scalable/mimetypes/application-x-spekla-elements.svg)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(READ "${PREFIX}/share/applications/spekla.desktop" entry)
foreach(line "Exec=spekla %f" "Icon=spekla"
    "MimeType=application/x-spekla-table;application/x-spekla-elements;")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")

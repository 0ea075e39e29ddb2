# The package as a user unzips it into Resources/plugins: the QZTgov folder at
# its top with nothing above it, exactly the expected files, and each plug-in
# file byte for byte the one just built.
#   cmake -DZIP=zip -DLIN=file -DWIN=file [-DMAC=file] -DVERSION=v -DWORK=dir -P check_package.cmake
# With -DMAKE_WITH_MAC=ON it first makes a package of its own in WORK with a
# stand-in Mac file (-DREADME=file -DPACKAGER=package.cmake), then checks that.
set(failures 0)
macro(fail text)
  message(SEND_ERROR "${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/unzipped")
if(MAKE_WITH_MAC)
  set(MAC "${WORK}/mac-stand-in.xpl")
  file(WRITE "${MAC}" "stand-in for a Mac file built on a Mac\n")
  set(ZIP "${WORK}/QZTgov-${VERSION}.zip")
  execute_process(COMMAND ${CMAKE_COMMAND} -DOUT=${ZIP} -DLIN=${LIN} -DWIN=${WIN} -DMAC=${MAC} -DREADME=${README}
                          -P ${PACKAGER} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "making the package with a Mac file failed")
  endif()
endif()

get_filename_component(name "${ZIP}" NAME)
if(NOT name STREQUAL "QZTgov-${VERSION}.zip")
  fail("the package is named ${name}, not QZTgov-${VERSION}.zip")
endif()
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "no package at ${ZIP}")
endif()

# Every entry's name starts with the plug-in's folder: no folder level above
# it, no absolute or dotted names.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf "${ZIP}" OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${ZIP} cannot be listed")
endif()
string(REPLACE "\n" ";" entries "${listing}")
foreach(entry ${entries})
  if(NOT entry MATCHES "^QZTgov(/|$)" OR entry MATCHES "(^|/)\\.\\.?(/|$)")
    fail("entry '${entry}' is not inside the top-level QZTgov folder")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${ZIP}" WORKING_DIRECTORY "${WORK}/unzipped" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${ZIP} cannot be unpacked")
endif()
file(GLOB_RECURSE found RELATIVE "${WORK}/unzipped" LIST_DIRECTORIES true "${WORK}/unzipped/*")
list(SORT found)
set(expected QZTgov QZTgov/README.txt QZTgov/lin_x64 QZTgov/lin_x64/QZTgov.xpl QZTgov/win_x64 QZTgov/win_x64/QZTgov.xpl)
if(MAC)
  list(APPEND expected QZTgov/mac_x64 QZTgov/mac_x64/QZTgov.xpl)
endif()
list(SORT expected)
if(NOT found STREQUAL expected)
  fail("unpacked into Resources/plugins the package gives\n  ${found}\ninstead of\n  ${expected}")
endif()

foreach(pair lin_x64:LIN win_x64:WIN mac_x64:MAC)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 abi)
  list(GET pair 1 var)
  if(${var})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${${var}}" "${WORK}/unzipped/QZTgov/${abi}/QZTgov.xpl"
                    RESULT_VARIABLE differ)
    if(differ)
      fail("QZTgov/${abi}/QZTgov.xpl is not the file just built (${${var}})")
    endif()
  endif()
endforeach()

# The Linux file carries no debug information; the build keeps it beside.
if(LIN_DEBUG)
  file(STRINGS "${WORK}/unzipped/QZTgov/lin_x64/QZTgov.xpl" debug_sections REGEX "^\\.debug_")
  if(debug_sections)
    fail("QZTgov/lin_x64/QZTgov.xpl carries debug information (${debug_sections})")
  endif()
  file(STRINGS "${LIN_DEBUG}" kept REGEX "^\\.debug_info$")
  if(NOT kept)
    fail("the debug information kept beside it (${LIN_DEBUG}) has no .debug_info")
  endif()
endif()

file(READ "${WORK}/unzipped/QZTgov/README.txt" readme)
if(NOT readme MATCHES "^QZTgov ${VERSION} ")
  fail("the README does not start with \"QZTgov ${VERSION}\"")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} package check(s) failed")
endif()
message(STATUS "${ZIP}: layout and files as built")

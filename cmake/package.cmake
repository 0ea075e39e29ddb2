# Makes the zip a user unzips into X-Plane's Resources/plugins folder:
#   QZTgov/README.txt
#   QZTgov/lin_x64/QZTgov.xpl
#   QZTgov/win_x64/QZTgov.xpl
#   QZTgov/mac_x64/QZTgov.xpl   (only when MAC names a file)
# and nothing else.
# cmake -DOUT=zip -DLIN=file -DWIN=file [-DMAC=file] -DREADME=file -P package.cmake
foreach(var OUT LIN WIN README)
  if(NOT ${var})
    message(FATAL_ERROR "package.cmake: ${var} is not set")
  endif()
endforeach()
foreach(file LIN WIN README MAC)
  if(${file} AND NOT EXISTS "${${file}}")
    message(FATAL_ERROR "package.cmake: ${file} file ${${file}} does not exist")
  endif()
endforeach()

get_filename_component(out "${OUT}" ABSOLUTE)
set(stage "${out}.stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}/QZTgov")
file(COPY_FILE "${README}" "${stage}/QZTgov/README.txt")
foreach(abi lin_x64:LIN win_x64:WIN mac_x64:MAC)
  string(REPLACE ":" ";" pair "${abi}")
  list(GET pair 0 folder)
  list(GET pair 1 var)
  if(${var})
    file(MAKE_DIRECTORY "${stage}/QZTgov/${folder}")
    file(COPY_FILE "${${var}}" "${stage}/QZTgov/${folder}/QZTgov.xpl")
  endif()
endforeach()

# Entries are named relative to the staging folder, so the zip's top level is
# the QZTgov folder itself.
file(REMOVE "${out}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf "${out}" --format=zip QZTgov
  WORKING_DIRECTORY "${stage}"
  RESULT_VARIABLE rc)
file(REMOVE_RECURSE "${stage}")
if(NOT rc EQUAL 0)
  file(REMOVE "${out}")
  message(FATAL_ERROR "package.cmake: making ${out} failed")
endif()

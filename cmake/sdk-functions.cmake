# The host functions our declarations in sdk/ name, and Windows module-definition
# files and import libraries made from them: a function declared there later is
# picked up at the next configure.

# Names marked with `marker` (XPLM_API or WIDGET_API) in the headers of `dir`.
function(qzt_sdk_functions marker dir outvar)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  # A header's new declaration reconfigures the build, as a new header does.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${headers})
  set(names)
  foreach(header ${headers})
    file(READ ${header} text)
    string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" text "${text}")
    string(REGEX REPLACE "//[^\n]*" "" text "${text}")
    string(REGEX REPLACE "#[^\n]*" "" text "${text}")      # the lines that define the markers
    string(REGEX MATCHALL "${marker}[^;(]*\\(" decls "${text}")
    foreach(decl ${decls})
      if(decl MATCHES "([A-Za-z_][A-Za-z0-9_]*)[ \t\r\n]*\\($")
        list(APPEND names ${CMAKE_MATCH_1})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(SORT names)
  set(${outvar} ${names} PARENT_SCOPE)
endfunction()

# A .def file for `dll` exporting `names`; with FORWARD_TO, each export is
# forwarded to the same name in that DLL. The file is rewritten only when its
# text changes, so nothing rebuilds for an unchanged list.
function(qzt_write_def path dll names)
  cmake_parse_arguments(D "" "FORWARD_TO" "" ${ARGN})
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  foreach(name ${names})
    if(D_FORWARD_TO)
      string(APPEND text "  ${name} = ${D_FORWARD_TO}.${name}\n")
    else()
      string(APPEND text "  ${name}\n")
    endif()
  endforeach()
  file(WRITE ${path}.new "${text}")
  configure_file(${path}.new ${path} COPYONLY)
endfunction()

# An import library lib<stem>.a for <stem>.dll from the names, made with the
# MinGW dlltool; sets `outvar` to its path and adds a target <stem>_imports
# that makes it.
function(qzt_import_library stem names outvar)
  if(NOT QZT_DLLTOOL)
    find_program(QZT_DLLTOOL NAMES ${CMAKE_DLLTOOL} x86_64-w64-mingw32-dlltool dlltool REQUIRED)
  endif()
  set(dir ${CMAKE_BINARY_DIR}/imports)
  qzt_write_def(${dir}/${stem}.def ${stem}.dll "${names}")
  add_custom_command(
    OUTPUT ${dir}/lib${stem}.a
    COMMAND ${QZT_DLLTOOL} --input-def ${dir}/${stem}.def --output-lib ${dir}/lib${stem}.a --dllname ${stem}.dll
    DEPENDS ${dir}/${stem}.def
    COMMENT "Import library for ${stem}.dll from our declarations"
    VERBATIM)
  add_custom_target(${stem}_imports DEPENDS ${dir}/lib${stem}.a)
  set(${outvar} ${dir}/lib${stem}.a PARENT_SCOPE)
endfunction()

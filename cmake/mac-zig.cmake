# The Mac plug-in file, cross-built on Linux with no step on a Mac:
#   1. Zig's C++ compiler (QZT_ZIG, scripts/fetch-zig fetches it), which carries
#      the macOS headers, compiles the plug-in's sources once for x86_64 and once
#      for arm64, with the flags and definitions of the other builds and APL=1;
#   2. LLVM's Mach-O linker (ld64.lld) links each slice as a loadable bundle:
#      the host's functions are bound by flat lookup when X-Plane loads it
#      (-undefined dynamic_lookup), the C library from macOS's libSystem through
#      the stub Zig ships, and frame/exports.mac keeps all but the five entry
#      points local. (Zig 0.11's own linker takes no export list and exports
#      every hidden symbol; the check in tests/mac catches that.)
#   3. llvm-lipo joins the slices into one universal file,
#      <build>/mac/QZTgov/mac_x64/QZTgov.xpl.
# On a Mac the ordinary build makes the same file natively (see CMakeLists.txt).
#
# Also made here, for tests/mac to show that its check catches them: the same
# objects linked by Zig's own linker, and a file with a stray call into the
# C++ runtime, which macOS's libSystem does not provide.
#
# Needs: QZT_ZIG (Zig 0.11.0), QZT_LD64_LLD, QZT_LLVM_LIPO; sets QZT_MAC_PLUGIN_BUILT,
# QZT_MAC_BROKEN_DIR, QZT_MAC_LIBSYSTEM_TBD and QZT_MAC_MIN_VERSION and adds the
# target qztgov_mac_file.

# The oldest macOS whose headers and libSystem stub Zig 0.11 carries; both
# slices record it as their minimum.
set(QZT_MAC_MIN_VERSION 11.0)
set(QZT_MAC_DIR ${CMAKE_BINARY_DIR}/mac)
set(QZT_MAC_PLUGIN_BUILT ${QZT_MAC_DIR}/QZTgov/mac_x64/QZTgov.xpl)
set(QZT_MAC_BROKEN_DIR ${QZT_MAC_DIR}/broken)
get_filename_component(_zig_dir ${QZT_ZIG} DIRECTORY)
string(REGEX MATCH "^[0-9]+" _mac_major ${QZT_MAC_MIN_VERSION})
set(QZT_MAC_LIBSYSTEM_TBD ${_zig_dir}/lib/libc/darwin/libSystem.${_mac_major}.tbd)
if(NOT EXISTS ${QZT_MAC_LIBSYSTEM_TBD})
  message(FATAL_ERROR "${QZT_ZIG} carries no ${QZT_MAC_LIBSYSTEM_TBD}")
endif()

# Zig keeps its caches in the build tree, not in the user's home.
set(_zig ${CMAKE_COMMAND} -E env ZIG_GLOBAL_CACHE_DIR=${QZT_MAC_DIR}/zig-cache ZIG_LOCAL_CACHE_DIR=${QZT_MAC_DIR}/zig-cache
    ${QZT_ZIG})
if(XPLANE_SDK_DIR)
  set(_sdk_includes -I${XPLANE_SDK_DIR}/CHeaders/XPLM -I${XPLANE_SDK_DIR}/CHeaders/Widgets)
else()
  set(_sdk_includes -I${CMAKE_SOURCE_DIR}/sdk/XPLM -I${CMAKE_SOURCE_DIR}/sdk/Widgets)
endif()
set(_definitions)
foreach(def ${QZT_SDK_DEFINITIONS} IBM=0 APL=1 LIN=0 NDEBUG)
  list(APPEND _definitions -D${def})
endforeach()
set(_cxx_flags -std=c++${CMAKE_CXX_STANDARD} -O2 ${QZT_WARNINGS} -fno-exceptions -fno-rtti -fvisibility=hidden
    -fvisibility-inlines-hidden ${_definitions} -I${CMAKE_SOURCE_DIR} ${_sdk_includes})

# Compiles `sources` for one architecture into `outvar` (object files).
function(qzt_mac_objects arch sources outvar)
  set(zig_arch ${arch})
  if(arch STREQUAL "arm64")
    set(zig_arch aarch64)
  endif()
  set(objects)
  foreach(src ${sources})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${src})
    set(obj ${QZT_MAC_DIR}/${arch}/${rel}.o)
    get_filename_component(obj_dir ${obj} DIRECTORY)
    file(MAKE_DIRECTORY ${obj_dir})
    add_custom_command(
      OUTPUT ${obj}
      COMMAND ${_zig} c++ -target ${zig_arch}-macos.${QZT_MAC_MIN_VERSION} ${_cxx_flags} -MD -MF ${obj}.d -c ${src} -o ${obj}
      DEPENDS ${src}
      DEPFILE ${obj}.d
      COMMENT "Mac ${arch}: ${rel}"
      VERBATIM)
    list(APPEND objects ${obj})
  endforeach()
  set(${outvar} ${objects} PARENT_SCOPE)
endfunction()

# Links one slice as the plug-in file is linked.
function(qzt_mac_link arch out)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${QZT_LD64_LLD} -arch ${arch} -platform_version macos ${QZT_MAC_MIN_VERSION} ${QZT_MAC_MIN_VERSION}
            -bundle -undefined dynamic_lookup -exported_symbols_list ${CMAKE_SOURCE_DIR}/frame/exports.mac
            -o ${out} ${ARGN} ${QZT_MAC_LIBSYSTEM_TBD}
    DEPENDS ${ARGN} ${CMAKE_SOURCE_DIR}/frame/exports.mac
    COMMENT "Mac ${arch}: link ${out}"
    VERBATIM)
endfunction()

function(qzt_mac_universal out)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${QZT_LLVM_LIPO} -create -output ${out} ${ARGN}
    DEPENDS ${ARGN}
    COMMENT "Mac: universal ${out}"
    VERBATIM)
endfunction()

set(_slices)
set(_all_exported_slices)
set(_stray_slices)
foreach(arch x86_64 arm64)
  qzt_mac_objects(${arch} "${QZT_SOURCES}" objects)
  qzt_mac_link(${arch} ${QZT_MAC_DIR}/${arch}/QZTgov.xpl ${objects})
  list(APPEND _slices ${QZT_MAC_DIR}/${arch}/QZTgov.xpl)

  # Broken on purpose: linked by Zig's own linker, which exports everything
  # (its compiler runtime left out, which would take a while to build).
  set(zig_arch ${arch})
  if(arch STREQUAL "arm64")
    set(zig_arch aarch64)
  endif()
  set(out ${QZT_MAC_BROKEN_DIR}/${arch}/all-exported.xpl)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${_zig} build-lib -dynamic -O ReleaseFast -target ${zig_arch}-macos.${QZT_MAC_MIN_VERSION} -fno-compiler-rt
            -lc -fallow-shlib-undefined -femit-bin=${out} ${objects}
    DEPENDS ${objects}
    COMMENT "Mac ${arch}: link with Zig's linker (broken on purpose)"
    VERBATIM)
  list(APPEND _all_exported_slices ${out})

  # Broken on purpose: one call the file cannot have on a Mac.
  qzt_mac_objects(${arch} ${CMAKE_SOURCE_DIR}/tests/mac/broken/stray_runtime_call.cpp stray)
  qzt_mac_link(${arch} ${QZT_MAC_BROKEN_DIR}/${arch}/stray-undefined.xpl ${objects} ${stray})
  list(APPEND _stray_slices ${QZT_MAC_BROKEN_DIR}/${arch}/stray-undefined.xpl)
endforeach()

file(MAKE_DIRECTORY ${QZT_MAC_DIR}/QZTgov/mac_x64 ${QZT_MAC_BROKEN_DIR}/x86_64 ${QZT_MAC_BROKEN_DIR}/arm64)
qzt_mac_universal(${QZT_MAC_PLUGIN_BUILT} ${_slices})
qzt_mac_universal(${QZT_MAC_BROKEN_DIR}/all-exported.xpl ${_all_exported_slices})
qzt_mac_universal(${QZT_MAC_BROKEN_DIR}/stray-undefined.xpl ${_stray_slices})
add_custom_target(qztgov_mac_file ALL DEPENDS ${QZT_MAC_PLUGIN_BUILT})
add_custom_target(qztgov_mac_broken ALL DEPENDS ${QZT_MAC_BROKEN_DIR}/all-exported.xpl
                                                ${QZT_MAC_BROKEN_DIR}/stray-undefined.xpl)

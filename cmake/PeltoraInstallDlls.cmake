# Install-time steps for the DLLs of bin/ (included by the install script
# that cmake/PeltoraInstall.cmake writes; not part of the configure step).
# The caller sets:
#   PELTORA_DLLS          the DLLs this build installs (build-tree paths)
#   PELTORA_RUNTIME_DIRS  the folders of the MinGW runtime DLLs
#   PELTORA_WINDOWS_DLLS  regular expressions matching the names of DLLs
#                         Windows itself provides (lower case)
#   PELTORA_OBJDUMP, PELTORA_OBJCOPY, PELTORA_STRIP   the MinGW binutils
#   PELTORA_SCRATCH_DIR   a folder of the build tree for temporary files
#
# Debug information: a stripped DLL carries a .gnu_debuglink section that
# names "<dll>.debug" and its CRC, and the debug archive holds those files
# in the same bin/ folder, so that unpacking both archives into one folder
# lets gdb or addr2line resolve an address in the stripped DLL. The debug
# file is made twice from the same build-tree DLL (once to link it, once to
# ship it, since CPack installs each component into a folder of its own).
# objcopy writes the current time into the debug file's PE header unless
# SOURCE_DATE_EPOCH names one: set to the DLL's own date, both copies are
# the same bytes and the CRC the link carries holds for the shipped one.

# peltora_runtime_dlls(<out>): the MinGW runtime DLLs that the package's
# DLLs import, directly or through one another, found by CMake's own
# dependency walk with the MinGW objdump. A DLL that is neither the
# package's, MinGW's nor one of Windows' own ends the install: it would be
# missing from the archive.
function(peltora_runtime_dlls out)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${PELTORA_OBJDUMP}")
  file(GET_RUNTIME_DEPENDENCIES
       LIBRARIES ${PELTORA_DLLS}
       RESOLVED_DEPENDENCIES_VAR resolved
       UNRESOLVED_DEPENDENCIES_VAR unresolved
       PRE_EXCLUDE_REGEXES ${PELTORA_WINDOWS_DLLS}
       POST_EXCLUDE_FILES ${PELTORA_DLLS}
       DIRECTORIES ${PELTORA_RUNTIME_DIRS})
  if(unresolved)
    message(FATAL_ERROR "peltora: DLLs imported but found neither in this build, nor among "
                        "MinGW's (${PELTORA_RUNTIME_DIRS}), nor among Windows' own: ${unresolved}")
  endif()
  set(${out} ${resolved} PARENT_SCOPE)
endfunction()

# peltora_debug_file(<dll> <debug file>): the debug information of a
# build-tree or MinGW DLL as a file of its own.
function(peltora_debug_file dll debug_file)
  file(TIMESTAMP "${dll}" epoch "%s" UTC)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
                          "${PELTORA_OBJCOPY}" --only-keep-debug "${dll}" "${debug_file}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "peltora: objcopy --only-keep-debug ${dll} failed (${result})")
  endif()
endfunction()

# peltora_install_runtime(<bin folder>): copies the MinGW runtime DLLs into
# the installed bin/ ("${CMAKE_INSTALL_PREFIX}/bin"). With stripping asked
# for (cmake --install --strip, or CPack's CPACK_STRIP_FILES), strips them
# as install(TARGETS) strips the package's own DLLs, and gives every DLL of
# bin/ its debug link.
function(peltora_install_runtime bin)
  peltora_runtime_dlls(runtime)
  foreach(dll IN LISTS runtime)
    file(INSTALL DESTINATION "${bin}" TYPE SHARED_LIBRARY FILES "${dll}")
  endforeach()
  # file(INSTALL) lists what it installed in the manifest of this scope.
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
  if(NOT CMAKE_INSTALL_DO_STRIP)
    return()
  endif()
  file(MAKE_DIRECTORY "${PELTORA_SCRATCH_DIR}")
  foreach(dll IN LISTS PELTORA_DLLS runtime)
    get_filename_component(name "${dll}" NAME)
    set(installed "$ENV{DESTDIR}${bin}/${name}")
    list(FIND runtime "${dll}" runtime_index)
    if(runtime_index GREATER -1)
      execute_process(COMMAND "${PELTORA_STRIP}" "${installed}" RESULT_VARIABLE result)
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "peltora: strip ${installed} failed (${result})")
      endif()
    endif()
    set(debug_file "${PELTORA_SCRATCH_DIR}/${name}.debug")
    peltora_debug_file("${dll}" "${debug_file}")
    execute_process(COMMAND "${PELTORA_OBJCOPY}" "--add-gnu-debuglink=${debug_file}" "${installed}"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "peltora: objcopy --add-gnu-debuglink on ${installed} failed (${result})")
    endif()
    file(REMOVE "${debug_file}")
  endforeach()
endfunction()

# peltora_install_debug_files(<bin folder>): the debug file of every DLL of
# bin/, the package's and MinGW's, as bin/<dll>.debug.
function(peltora_install_debug_files bin)
  peltora_runtime_dlls(runtime)
  set(scratch "${PELTORA_SCRATCH_DIR}/debug")
  file(REMOVE_RECURSE "${scratch}")
  file(MAKE_DIRECTORY "${scratch}")
  foreach(dll IN LISTS PELTORA_DLLS runtime)
    get_filename_component(name "${dll}" NAME)
    peltora_debug_file("${dll}" "${scratch}/${name}.debug")
    file(INSTALL DESTINATION "${bin}" TYPE FILE FILES "${scratch}/${name}.debug")
  endforeach()
  file(REMOVE_RECURSE "${scratch}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

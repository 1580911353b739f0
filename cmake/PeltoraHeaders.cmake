# peltora_public_headers(<target> <folder> <header>...)
#
# The headers of a library that a host includes. Inside this build the
# library's own source folder is its include folder; installed, the headers
# go into include/<folder> (cmake/PeltoraInstall.cmake), which the exported
# target then names instead. Headers left out of the list stay internal.
function(peltora_public_headers target folder)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}> $<INSTALL_INTERFACE:include/${folder}>)
  list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_target_properties(${target} PROPERTIES PUBLIC_HEADER "${ARGN}"
                                             PELTORA_HEADER_FOLDER ${folder})
endfunction()

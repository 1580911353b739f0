# The plug-in is one source tree built in three regional configurations. The
# views (listview/) and the window (chanlist/) add their sources to the global
# property PELTORA_PLUGIN_SOURCES; peltora_add_plugin() makes one DLL of them
# with the string tables of its region. Their headers that a host includes
# are listed in PELTORA_PLUGIN_HEADERS, installed once for all three.
#
#   KO -> peltora_ko.dll   (Korean)
#   JA -> peltora_ja.dll   (Japanese)
#   CN -> peltora_cn.dll   (Simplified Chinese)
function(peltora_add_plugin region)
  string(TOLOWER "${region}" lower)
  set(target peltora_${lower})
  get_property(sources GLOBAL PROPERTY PELTORA_PLUGIN_SOURCES)
  add_library(${target} SHARED ${sources} ${PROJECT_SOURCE_DIR}/res/peltora.rc)
  # Installed, the target is peltora::<region in lower case> (cmake/PeltoraInstall.cmake).
  set_target_properties(${target} PROPERTIES PREFIX "" EXPORT_NAME ${lower})
  target_compile_definitions(${target} PRIVATE PELTORA_BUILD PUBLIC PELTORA_REGION_${region})
  # In the build: the source folders (res/ for the tests, which read the
  # string ids); installed: include/peltora, the headers of
  # PELTORA_PLUGIN_HEADERS.
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/listview> $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/chanlist>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/res>
    $<INSTALL_INTERFACE:include/peltora>)
  # peltora_version.h, for the version resource.
  target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated)
  if(region STREQUAL "CN")
    set(avatar_lib avatarvel)
  else()
    set(avatar_lib avatarkit)
  endif()
  target_link_libraries(${target} PUBLIC mfcsub lobbykit netsock msgdata drawkit ${avatar_lib}
                        PRIVATE comctl32 gdi32 user32 advapi32)
endfunction()

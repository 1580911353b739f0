# What a host developer builds against, laid out as MinGW development
# packages are (cmake --install, or the archives CPack makes of it with
# tools/release.sh):
#
#   bin/                      peltora_ko.dll, peltora_ja.dll, peltora_cn.dll, the
#                             framework DLLs and the MinGW runtime DLLs they import
#   include/peltora/          the plug-in's headers (ChannelListWnd.h and those it includes)
#   include/<library>/        the headers of each framework library
#   lib/                      the import libraries (lib<name>.dll.a)
#   lib/cmake/peltora/        the CMake package (peltoraConfig.cmake and its version file)
#   share/peltora/<config>/Images/  the images each configuration reads (ko, ja, cn)
#   samples/                  the sample data and the host project (samples/host-project)
#
# Components: Runtime (bin/ and the images), Development (include/, lib/),
# Samples, and Debug (bin/<dll>.debug, the debug information of every DLL
# of bin/; only installed when asked for by name, as CPack does).

# peltora_release builds what the install takes (tools/release.sh builds it,
# then runs cpack); the install itself builds nothing, so that packing a
# built tree does not first build every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
add_custom_target(peltora_release)
add_dependencies(peltora_release peltora_ko peltora_ja peltora_cn peltora_images)

# The framework libraries a host links through the plug-in, each exported as
# peltora::<name>; the plug-ins as peltora::ko, ::ja and ::cn.
set(PELTORA_FRAMEWORK_LIBRARIES mfcsub msgdata netsock drawkit avatarkit avatarvel lobbykit)
set(PELTORA_PLUGINS peltora_ko peltora_ja peltora_cn)

# The definitions every Windows library here is compiled with (the
# top-level CMakeLists.txt): a host compiles their headers with the same,
# since they fix the layout of Windows structures the classes hold.
foreach(target IN LISTS PELTORA_PLUGINS PELTORA_FRAMEWORK_LIBRARIES)
  if(NOT target STREQUAL "msgdata")
    target_compile_definitions(${target} INTERFACE "$<INSTALL_INTERFACE:${PELTORA_WIN32_DEFINITIONS}>")
  endif()
endforeach()

foreach(target IN LISTS PELTORA_FRAMEWORK_LIBRARIES)
  get_target_property(folder ${target} PELTORA_HEADER_FOLDER)
  install(TARGETS ${target} EXPORT peltoraTargets
          RUNTIME DESTINATION bin COMPONENT Runtime
          ARCHIVE DESTINATION lib COMPONENT Development
          PUBLIC_HEADER DESTINATION include/${folder} COMPONENT Development)
endforeach()
install(TARGETS ${PELTORA_PLUGINS} EXPORT peltoraTargets
        RUNTIME DESTINATION bin COMPONENT Runtime
        ARCHIVE DESTINATION lib COMPONENT Development)
get_property(plugin_headers GLOBAL PROPERTY PELTORA_PLUGIN_HEADERS)
install(FILES ${plugin_headers} DESTINATION include/peltora COMPONENT Development)

# The MinGW runtime DLLs (libstdc++, libgcc, winpthread): where the
# compiler keeps them.
set(runtime_dirs)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(dir "${path}" DIRECTORY)
  get_filename_component(dir "${dir}" REALPATH)
  list(APPEND runtime_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES runtime_dirs)
set(dll_files)
foreach(target IN LISTS PELTORA_FRAMEWORK_LIBRARIES PELTORA_PLUGINS)
  list(APPEND dll_files "$<TARGET_FILE:${target}>")
endforeach()
# The DLLs Windows itself provides, which the package's DLLs import.
set(windows_dlls
    "^(advapi32|comctl32|gdi32|gdiplus|kernel32|msvcrt|ole32|oleaut32|shell32|user32|ws2_32)\\.dll$"
    "^api-ms-win-.*\\.dll$")
set(dll_step_setup "
set(PELTORA_DLLS \"${dll_files}\")
set(PELTORA_RUNTIME_DIRS \"${runtime_dirs}\")
set(PELTORA_WINDOWS_DLLS [==[${windows_dlls}]==])
set(PELTORA_OBJDUMP \"${CMAKE_OBJDUMP}\")
set(PELTORA_OBJCOPY \"${CMAKE_OBJCOPY}\")
set(PELTORA_STRIP \"${CMAKE_STRIP}\")
set(PELTORA_SCRATCH_DIR \"${CMAKE_BINARY_DIR}/install-scratch\")
include(\"${CMAKE_CURRENT_LIST_DIR}/PeltoraInstallDlls.cmake\")")
install(CODE "${dll_step_setup}\npeltora_install_runtime(\"\${CMAKE_INSTALL_PREFIX}/bin\")"
        COMPONENT Runtime)
install(CODE "${dll_step_setup}\npeltora_install_debug_files(\"\${CMAKE_INSTALL_PREFIX}/bin\")"
        COMPONENT Debug EXCLUDE_FROM_ALL)

# A build folder someone made inside the sample host project stays out.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION samples COMPONENT Samples
        PATTERN build EXCLUDE)

# The package: one imported target per configuration and per framework
# library, in the namespace peltora::.
include(CMakePackageConfigHelpers)
set(package_dir lib/cmake/peltora)
install(EXPORT peltoraTargets NAMESPACE peltora:: DESTINATION ${package_dir}
        COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/peltoraConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/generated/peltoraConfig.cmake
                              INSTALL_DESTINATION ${package_dir})
# Any 1.x satisfies a request for 1.0; the version file also refuses a
# consumer of the other pointer size (a 64-bit host for 32-bit DLLs).
write_basic_package_version_file(${PROJECT_BINARY_DIR}/generated/peltoraConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/generated/peltoraConfig.cmake
              ${PROJECT_BINARY_DIR}/generated/peltoraConfigVersion.cmake
        DESTINATION ${package_dir} COMPONENT Development)

# The archives (tools/release.sh runs cpack): the release, and beside it
# the debug files, each holding one folder of the same name so that both
# unpack into one tree.
#   peltora-<version>-win32.zip        Runtime, Development, Samples; DLLs stripped
#   peltora-<version>-win32-debug.zip  Debug
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(package_name peltora-${PROJECT_VERSION}-win64)
else()
  set(package_name peltora-${PROJECT_VERSION}-win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME peltora)
set(CPACK_PACKAGE_VENDOR peltora)
set(CPACK_PACKAGE_FILE_NAME ${package_name})
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
set(CPACK_COMPONENTS_ALL Runtime Development Samples Debug)
set(CPACK_ARCHIVE_RELEASE_FILE_NAME ${package_name})
set(CPACK_ARCHIVE_DEBUG_FILE_NAME ${package_name}-debug)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
cpack_add_component_group(release)
cpack_add_component_group(debug)
cpack_add_component(Runtime GROUP release)
cpack_add_component(Development GROUP release)
cpack_add_component(Samples GROUP release)
cpack_add_component(Debug GROUP debug)

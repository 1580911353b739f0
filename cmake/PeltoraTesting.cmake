# peltora_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable, registered as one CTest test. In the cross build
# CTest runs it under Wine (CMAKE_CROSSCOMPILING_EMULATOR); Wine finds the
# MinGW runtime DLLs through WINEPATH.
function(peltora_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  peltora_test_environment(${name})
endfunction()

# Environment every test needs: under Wine, quiet logging with the heap
# checked (Wine validates the heap and fills freed blocks, so that a block
# used after it was freed reads EE FE and shows in what the code does), and
# the folders of the MinGW runtime DLLs (libstdc++, libgcc, winpthread).
function(peltora_test_environment test)
  if(CMAKE_CROSSCOMPILING)
    set(gcc_dll_dir "")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                    OUTPUT_VARIABLE stdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(gcc_dll_dir "${stdcxx}" DIRECTORY)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                    OUTPUT_VARIABLE pthr OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(pthread_dll_dir "${pthr}" DIRECTORY)
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
      "WINEDEBUG=-all,warn+heap;WINEDLLOVERRIDES=mscoree,mshtml=;WINEPATH=${gcc_dll_dir}\\;${pthread_dll_dir}")
  endif()
endfunction()

# Build settings shared by every target, and the helpers that declare libraries and tests.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# Records start as {sizeof(x)} with the rest zeroed, so missing initializers are intended.
add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
if(MOVRA_WERROR)
  add_compile_options(-Werror)
endif()

if(WIN32)
  enable_language(RC)
  # ANSI Win32 throughout; nothing may pull in the wide defaults.
  add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
  add_compile_options(-ffunction-sections -fdata-sections)
  # Static runtime: no DLLs beside the binaries.
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    add_compile_options(-Os)
    add_link_options(-s)
  endif()
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(MOVRA_RUN_WINE_TESTS ON)
    set(MOVRA_RIG_DIR "${CMAKE_BINARY_DIR}/wine-rig")
    # ctest runs every Windows test program through the rig's wine64 wrapper.
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/tools/wine-run;${MOVRA_RIG_DIR}")
  else()
    set(MOVRA_RUN_WINE_TESTS OFF)
  endif()
elseif(MOVRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# A library of Win32-free sources: built natively (under the sanitizers) and for Windows.
# Its sources must never include <windows.h>; the native build is what proves it.
function(movra_logic_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}")
endfunction()

# GoogleTest: the system package natively, /usr/src/googletest built by the cross compiler for Windows.
if(NOT TARGET gtest_main)
  if(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
    foreach(t gtest gtest_main)
      target_compile_options(${t} PRIVATE -w)
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# Every GoogleTest program writes its results here (<program>.xml); tools/test.sh counts them.
set(MOVRA_RESULTS_DIR "${CMAKE_BINARY_DIR}/test-results")

# A native unit test of Win32-free logic.
function(movra_add_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME unit.${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(unit.${name} PROPERTIES LABELS unit TIMEOUT 120
    ENVIRONMENT "GTEST_OUTPUT=xml:${MOVRA_RESULTS_DIR}/")
endfunction()

# A GoogleTest program run under Wine. It needs the rig (Xvfb, prefix, wineserver), brought up
# once for all of them by the fixture tests in tests/CMakeLists.txt. Wine tests share one
# prefix, so they run one at a time (RESOURCE_LOCK); each resets what it touches.
#   FIXTURES: further fixtures it needs (for example the simulated driver service).
#   DEPENDS:  targets it needs built first (programs it starts, the CPL it loads).
function(movra_add_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;FIXTURES;DEPENDS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} movra_wine_support GTest::gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  if(MOVRA_RUN_WINE_TESTS)
    add_test(NAME wine.${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(wine.${name} PROPERTIES
      LABELS wine TIMEOUT ${T_TIMEOUT} RESOURCE_LOCK wineprefix
      FIXTURES_REQUIRED "wine_rig;${T_FIXTURES}"
      ENVIRONMENT "MOVRA_BIN_DIR=${CMAKE_BINARY_DIR}/bin;MOVRA_SOURCE_DIR=${CMAKE_SOURCE_DIR};GTEST_OUTPUT=xml:Z:${MOVRA_RESULTS_DIR}/")
  endif()
endfunction()

# Every Windows program and library lands in <build>/bin, where tests and the installer find them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")

# Pictures of a Windows resource script, made from text pixel maps by the pixmap host tool
# (tools/pixmap) into <binary dir>/pictures, where the resource compiler of <target> finds them.
#   movra_add_pictures(<target> <rc file> PICTURE <name.ico|name.bmp> <map> [HELD <0-7>] ...)
# The kind follows the name's extension; HELD is the set of held buttons an icon shows.
function(movra_add_pictures target rc)
  get_property(tool GLOBAL PROPERTY MOVRA_PIXMAP_TOOL)
  if(NOT tool)
    message(FATAL_ERROR "movra_add_pictures: the pixmap tool is not declared yet; add tools/ before ${target}'s directory")
  endif()
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/pictures")
  set(pictures)
  set(rest ${ARGN})
  while(rest)
    list(LENGTH rest n)
    list(GET rest 0 word)
    if(NOT word STREQUAL "PICTURE" OR n LESS 3)
      message(FATAL_ERROR "movra_add_pictures(${target}): expected PICTURE <name> <map> [HELD <n>], got '${word}'")
    endif()
    list(GET rest 1 name)
    list(GET rest 2 map)
    list(REMOVE_AT rest 0 1 2)
    set(held)
    if(rest)
      list(GET rest 0 word)
      if(word STREQUAL "HELD")
        list(GET rest 1 held)
        list(REMOVE_AT rest 0 1)
      endif()
    endif()
    get_filename_component(map "${map}" ABSOLUTE)
    get_filename_component(kind "${name}" LAST_EXT)
    string(SUBSTRING "${kind}" 1 -1 kind)
    set(picture "${dir}/${name}")
    add_custom_command(OUTPUT "${picture}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${dir}"
      COMMAND "${tool}" ${kind} "${map}" "${picture}" ${held}
      DEPENDS "${map}" "${tool}" pixmap_tool
      COMMENT "Picture ${name} from ${map}" VERBATIM)
    list(APPEND pictures "${picture}")
  endwhile()
  add_custom_target(${target}_pictures DEPENDS ${pictures})
  add_dependencies(${target} ${target}_pictures)
  target_include_directories(${target} PRIVATE "${dir}")
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS ${pictures})
endfunction()

# quendal_add_gtest(<name> SOURCES <files...> LIBS <targets...> [QT])
# A GoogleTest binary registered with CTest. With QT the binary gets a main
# that creates a QApplication, and runs offscreen.
function(quendal_add_gtest name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE quendal_test_support Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  # Tests that run the real minimizer find it here.
  if(TARGET Qm)
    target_compile_definitions(${name} PRIVATE QUENDAL_QM_EXE="$<TARGET_FILE:Qm>")
    add_dependencies(${name} Qm)
  endif()
  # Tests write in.txt, out.txt and log.txt; each run gets a fresh folder.
  set(runtime_dir ${CMAKE_BINARY_DIR}/test-runtime)
  file(MAKE_DIRECTORY ${runtime_dir})
  file(CHMOD ${runtime_dir} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime_dir}"
      TIMEOUT 300)
endfunction()

# quendal_add_subsystem_tests(<name> LIBS <targets...>)
# Every *_test.cpp of the calling folder in one Qt-aware test binary.
function(quendal_add_subsystem_tests name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXTRA" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_support.cpp)
  quendal_add_gtest(${name} QT SOURCES ${sources} ${helpers} ${ARG_EXTRA} LIBS ${ARG_LIBS})
endfunction()

# quendal_benchmark(<target>)
# Benchmarks stay out of the default build, so the test command does not wait
# for them; `cmake --build <dir> --target benchmarks` builds them all.
if(NOT TARGET benchmarks)
  add_custom_target(benchmarks)
endif()
function(quendal_benchmark target)
  set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
  add_dependencies(benchmarks ${target})
endfunction()

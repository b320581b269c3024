# Compiler settings and the helpers every folder uses.
include_guard(GLOBAL)

set(ZAVOTRA_ROOT ${CMAKE_SOURCE_DIR})

if(WIN32)
  set(ZAVOTRA_WINDOWS ON)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 NOMINMAX STRICT)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
  # Static runtime: the binaries need no mingw DLL, under Wine or on Windows.
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
else()
  set(ZAVOTRA_WINDOWS OFF)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  if(ZAVOTRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# 32-bit x86 code computes floats in SSE, as 64-bit code does. x87 (the i686
# default) keeps excess precision in registers wherever the compiler pleases,
# so the shipped PE32 program could score and rank gestures differently from
# the builds the tests run. The price: the program needs a processor with
# SSE2 (every x86 processor since the Pentium 4 and the Athlon 64; Windows 8
# and later require it anyway, Windows 7 and XP still ran on a few without).
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

include_directories(${ZAVOTRA_ROOT})

# GoogleTest: cross-built from the Debian sources for Windows, the installed
# package for the native build.
if(ZAVOTRA_TESTS)
  # The installed package is 64-bit: builds for another processor (Windows,
  # 32-bit Linux) compile GoogleTest from its sources.
  if(ZAVOTRA_WINDOWS OR CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(ZAVOTRA_GTEST_MAIN gtest_main)
    set(ZAVOTRA_GTEST gtest)
    set(ZAVOTRA_GMOCK gmock)
  else()
    find_package(GTest REQUIRED)
    set(ZAVOTRA_GTEST_MAIN GTest::gtest_main)
    set(ZAVOTRA_GTEST GTest::gtest)
    set(ZAVOTRA_GMOCK GTest::gmock)
  endif()
  include(GoogleTest)
endif()

# zavotra_test(NAME <name> SOURCES ... [LIBS ...] [DESKTOP] [OWN_MAIN] [TIMEOUT s]
#              [PROPERTIES name value ...])
# A GoogleTest executable; on Windows ctest runs it under Wine through the
# cross-compiling emulator. DESKTOP tests use the shared display, the
# foreground window or synthetic input, and never run at the same time.
# PROPERTIES go to every test of the executable (fixtures, resource locks).
function(zavotra_test)
  cmake_parse_arguments(T "DESKTOP;OWN_MAIN" "NAME;TIMEOUT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_OWN_MAIN)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ${ZAVOTRA_GTEST} ${ZAVOTRA_GMOCK})
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ${ZAVOTRA_GTEST_MAIN} ${ZAVOTRA_GMOCK})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(props TIMEOUT ${T_TIMEOUT})
  if(T_DESKTOP)
    list(APPEND props RESOURCE_LOCK desktop)
  endif()
  list(APPEND props ${T_PROPERTIES})
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${props})
endfunction()

# zavotra_real_gestures(<target>)
# Gives a test or benchmark the reader of the logs of gestures drawn by people
# and tells it where they are:
# ../shared/gestures beside the checkout, read at run time (nothing of them is
# in the repository); Windows programs see the folder through Wine's Z: drive.
function(zavotra_real_gestures target)
  get_filename_component(folder "${ZAVOTRA_ROOT}/../shared/gestures" ABSOLUTE)
  if(ZAVOTRA_WINDOWS)
    string(REPLACE "/" "\\\\" folder "Z:${folder}")
  endif()
  target_compile_definitions(${target} PRIVATE "ZAVOTRA_REAL_GESTURES=\"${folder}\"")
  target_sources(${target} PRIVATE ${ZAVOTRA_ROOT}/tools/recognizer_evaluation/gesture_logs.cpp)
endfunction()

# zavotra_fuzz(NAME <name> SOURCES ... LIBS ... CORPUS <dir> [RUNS n] [MAX_LEN bytes] [TIMEOUT s])
# A libFuzzer target (native clang build only); ctest runs it for a bounded
# number of iterations over its committed seed corpus. An input that takes
# longer than TIMEOUT seconds (10 by default) fails the run: a reader that
# runs away on hostile data is a fault like a crash.
function(zavotra_fuzz)
  cmake_parse_arguments(F "" "NAME;CORPUS;RUNS;MAX_LEN;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(ZAVOTRA_WINDOWS OR NOT ZAVOTRA_FUZZ OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  if(NOT F_RUNS)
    set(F_RUNS 20000)
  endif()
  if(NOT F_MAX_LEN)
    set(F_MAX_LEN 4096)
  endif()
  if(NOT F_TIMEOUT)
    set(F_TIMEOUT 10)
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}.corpus)
  set(options "-runs=${F_RUNS} -max_len=${F_MAX_LEN} -timeout=${F_TIMEOUT} -seed=1")
  add_test(NAME ${F_NAME}
           COMMAND ${CMAKE_COMMAND} -E env
                   sh -c "rm -rf '${work}' && mkdir -p '${work}' && exec \"$0\" ${options} \"$1\" \"$2\""
                   $<TARGET_FILE:${F_NAME}> ${work} ${F_CORPUS})
  set_tests_properties(${F_NAME} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()

# Benchmarks (ZAVOTRA_BENCH): Google Benchmark programs. The native build
# uses the installed package; the Windows build cross-builds the library from
# its sources (Debian's source package of the same version, which
# tools/bench.sh fetches into build/third_party), and the programs run under
# Wine.
if(ZAVOTRA_BENCH AND ZAVOTRA_WINDOWS)
  set(ZAVOTRA_BENCHMARK_SOURCE "" CACHE PATH "Google Benchmark's sources, for the Windows benchmarks")
  if(NOT EXISTS "${ZAVOTRA_BENCHMARK_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "The Windows benchmarks need ZAVOTRA_BENCHMARK_SOURCE (tools/bench.sh fetches it)")
  endif()
  foreach(part TESTING GTEST_TESTS INSTALL WERROR LTO)
    set(BENCHMARK_ENABLE_${part} OFF CACHE BOOL "" FORCE)
  endforeach()
  add_subdirectory(${ZAVOTRA_BENCHMARK_SOURCE} ${CMAKE_BINARY_DIR}/benchmark EXCLUDE_FROM_ALL)
endif()

# zavotra_bench(NAME <name> SOURCES ... [LIBS ...])
# A Google Benchmark program named <name> (ending in _bench), built only with
# ZAVOTRA_BENCH into <build>/bench, where tools/bench.sh runs every one; the
# target `benchmarks` builds them all.
function(zavotra_bench)
  if(NOT ZAVOTRA_BENCH)
    return()
  endif()
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT ZAVOTRA_WINDOWS)
    find_package(benchmark REQUIRED)
  endif()
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  if(NOT TARGET benchmarks)
    add_custom_target(benchmarks)
  endif()
  add_dependencies(benchmarks ${B_NAME})
endfunction()

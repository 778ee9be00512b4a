# Shared build settings and the test helper used by every subsystem.

set(KX_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

if(WIN32)
    set(KX_PLATFORM win32)
else()
    set(KX_PLATFORM posix)
endif()

add_compile_options(-Wall -Wextra)
if(WIN32)
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    # Everything links the runtimes statically so that Wine needs no mingw DLLs.
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

function(kx_use_googletest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # The Debian sources carry warnings of their own; they are not ours to fix.
    foreach(t gtest gtest_main gmock gmock_main)
        if(TARGET ${t})
            target_compile_options(${t} PRIVATE -w)
        endif()
    endforeach()
endfunction()

# kx_add_gtest(NAME SOURCES f... [LIBS l...] [UI] [TIMEOUT s] [LABELS l...])
# One test program, one CTest entry. UI tests share the Xvfb display and run one at a time.
function(kx_add_gtest name)
    cmake_parse_arguments(T "UI" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${KX_ROOT}/src ${KX_ROOT}/hostapi ${KX_ROOT}/tests)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "KX_SOURCE_DIR=${KX_ROOT};KX_BINARY_DIR=${CMAKE_BINARY_DIR}")
    if(T_UI)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# nlohmann-json is header-only; the cross compiler must not see the rest of /usr/include,
# so its folder is copied into the build tree and offered as an interface target.
if(EXISTS /usr/include/nlohmann/json.hpp AND NOT TARGET kx_json)
    file(COPY /usr/include/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/thirdparty/include)
    add_library(kx_json INTERFACE)
    target_include_directories(kx_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/thirdparty/include)
endif()

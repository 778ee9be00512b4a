# Shared build settings and the test helper used by every subsystem.

set(KX_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

if(WIN32)
    set(KX_PLATFORM win32)
else()
    set(KX_PLATFORM posix)
endif()

# The presets turn warnings into errors; a plain configure with another compiler only warns.
option(KX_WERROR "Treat compiler warnings as errors" OFF)
add_compile_options(-Wall -Wextra)
if(KX_WERROR)
    add_compile_options(-Werror)
endif()
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

# kx_needs_wine(TEST...): tests that run a Windows program need Xvfb, wineserver and the Wine
# prefix of the build folder. CTest starts them before the first such test and stops them after
# the last (the fixture in tests/CMakeLists.txt); on the native build this does nothing.
function(kx_needs_wine)
    if(WIN32)
        set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED kx_wine)
    endif()
endfunction()

# kx_layer_includes(TARGET FOLDER...): the include paths of one library of the plug-in. It sees
# hostapi/ and, as "FOLDER/header.h", only the folders of src/ named here; each library it links
# adds its own. So a library reaches the layers below it and no other: an include that runs the
# wrong way is not found. (Each path is a folder of the build tree with links into src/.)
function(kx_layer_includes target)
    get_filename_component(src ${KX_ROOT}/src ABSOLUTE)
    set(tree ${CMAKE_BINARY_DIR}/layers/${target})
    file(MAKE_DIRECTORY ${tree})
    foreach(folder ${ARGN})
        if(NOT IS_DIRECTORY ${src}/${folder})
            message(FATAL_ERROR "kx_layer_includes(${target}): no folder src/${folder}")
        endif()
        file(CREATE_LINK ${src}/${folder} ${tree}/${folder} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${tree} ${KX_ROOT}/hostapi)
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
    kx_needs_wine(${name})
    if(T_UI)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# nlohmann-json is header-only; the cross compiler must not see the rest of /usr/include,
# so its folder is copied into the build tree and offered as an interface target.
if(NOT EXISTS /usr/include/nlohmann/json.hpp)
    message(FATAL_ERROR "nlohmann-json is missing (/usr/include/nlohmann/json.hpp): run tools/bootstrap")
endif()
if(NOT TARGET kx_json)
    file(COPY /usr/include/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/thirdparty/include)
    add_library(kx_json INTERFACE)
    target_include_directories(kx_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/thirdparty/include)
endif()

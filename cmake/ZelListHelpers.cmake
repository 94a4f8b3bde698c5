# zl_add_library(NAME SOURCES ... DEPS ...): one static library per folder,
# its folder's parent on the include path so headers read "platform/Spooler.h".
function(zl_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zl_add_test(NAME SOURCES ... DEPS ... [LABELS ...] [FIXTURES ...] [ENV ...]
#             [LOCK ...]): a GoogleTest executable whose tests are discovered
# into CTest; tests that share a LOCK never run at the same time.
function(zl_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS;FIXTURES;ENV;LOCK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    set(props LABELS "${ARG_LABELS}")
    if(ARG_FIXTURES)
        list(APPEND props FIXTURES_REQUIRED "${ARG_FIXTURES}")
    endif()
    if(ARG_ENV)
        list(APPEND props ENVIRONMENT "${ARG_ENV}")
    endif()
    if(ARG_LOCK)
        list(APPEND props RESOURCE_LOCK "${ARG_LOCK}")
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${props})
endfunction()

# Tree-sitter grammars for C and C++, fetched from the npm registry by
# version and checksum when the build is configured (Debian packages none of
# them). The versions are the last whose parsers use ABI 14, the newest that
# Debian 12's tree-sitter runtime loads.
#
# zl_tree_sitter_grammars(TARGET QUERIES_SOURCE) makes the static library
# TARGET of the grammars' parsers and writes QUERIES_SOURCE, a C++ file
# holding their highlight queries; sets ZL_TREE_SITTER_FOUND in the caller.

set(ZL_GRAMMARS
    "c|0.23.6|88175d4425037ec0026233a44f82064a676573b1fd748fc709ae607332151243"
    "cpp|0.23.4|615d152f70e7a6bed8f15a93c3c0c264c40dc71c1b6a1445646fff9439e776bc")

# Downloads and unpacks grammar NAME into DIR (once; the archive's checksum
# is checked); sets OK in the caller.
function(zl_fetch_grammar name version sha256 dir ok)
    set(${ok} FALSE PARENT_SCOPE)
    set(archive "${dir}/tree-sitter-${name}-${version}.tgz")
    if(NOT EXISTS "${dir}/package/src/parser.c")
        file(DOWNLOAD
             "https://registry.npmjs.org/tree-sitter-${name}/-/tree-sitter-${name}-${version}.tgz"
             "${archive}" EXPECTED_HASH SHA256=${sha256} STATUS status TLS_VERIFY ON)
        list(GET status 0 code)
        if(NOT code EQUAL 0)
            list(GET status 1 reason)
            message(WARNING "tree-sitter-${name} ${version} could not be fetched: ${reason}")
            file(REMOVE "${archive}")
            return()
        endif()
        file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${dir}"
             PATTERNS package/src package/queries/highlights.scm)
        file(REMOVE "${archive}")
    endif()
    set(${ok} TRUE PARENT_SCOPE)
endfunction()

function(zl_tree_sitter_grammars target queries_source)
    set(ZL_TREE_SITTER_FOUND FALSE PARENT_SCOPE)
    find_library(ZL_TREE_SITTER_STATIC NAMES libtree-sitter.a)
    find_path(ZL_TREE_SITTER_INCLUDE tree_sitter/api.h)
    if(NOT ZL_TREE_SITTER_STATIC OR NOT ZL_TREE_SITTER_INCLUDE)
        message(STATUS "tree-sitter not found: C and C++ are highlighted like the other languages")
        return()
    endif()
    set(sources)
    set(queries "// Made by cmake/TreeSitterGrammars.cmake from the grammars' highlight queries.\n")
    string(APPEND queries "#include \"engine/TreeSitterQueries.h\"\n\nnamespace zl {\n\n")
    foreach(grammar IN LISTS ZL_GRAMMARS)
        string(REPLACE "|" ";" fields "${grammar}")
        list(GET fields 0 name)
        list(GET fields 1 version)
        list(GET fields 2 sha256)
        set(dir "${CMAKE_BINARY_DIR}/grammars/${name}-${version}")
        zl_fetch_grammar(${name} ${version} ${sha256} "${dir}" ok)
        if(NOT ok)
            return()
        endif()
        list(APPEND sources "${dir}/package/src/parser.c")
        if(EXISTS "${dir}/package/src/scanner.c")
            list(APPEND sources "${dir}/package/src/scanner.c")
        endif()
        file(READ "${dir}/package/queries/highlights.scm" query)
        string(APPEND queries "const char* const kHighlightQuery_${name} = R\"zlquery(${query})zlquery\";\n")
    endforeach()
    string(APPEND queries "\n} // namespace zl\n")
    # Written only when it changes, so configuring again rebuilds nothing.
    file(WRITE "${queries_source}.new" "${queries}")
    configure_file("${queries_source}.new" "${queries_source}" COPYONLY)

    add_library(${target} STATIC ${sources})
    # Generated parsers: their own code, compiled as their authors ship it.
    set_source_files_properties(${sources} PROPERTIES COMPILE_OPTIONS "-w")
    foreach(source IN LISTS sources)
        get_filename_component(source_dir "${source}" DIRECTORY)
        set_property(SOURCE "${source}" APPEND PROPERTY INCLUDE_DIRECTORIES "${source_dir}")
    endforeach()
    target_include_directories(${target} PUBLIC ${ZL_TREE_SITTER_INCLUDE})
    target_link_libraries(${target} PUBLIC ${ZL_TREE_SITTER_STATIC})
    set(ZL_TREE_SITTER_FOUND TRUE PARENT_SCOPE)
endfunction()

# add_tarnwick_test(<name> LIBS <folder libraries> [SOURCES ...])
# One Qt Test executable per tested unit. It links the folder's library (tests
# never re-list the sources) and the test support library, and runs headless.
function(add_tarnwick_test name)
    cmake_parse_arguments(T "" "" "LIBS;SOURCES" ${ARGN})
    if(NOT T_SOURCES)
        set(T_SOURCES ${name}.cpp)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} tarnwick_testsupport Qt6::Test tarnwick_options)
    tarnwick_precompile(${name} TEST)
    # A test's moc output is included by the test's own file, so the file
    # automoc compiles beside it is empty; loading the precompiled headers
    # into it cost more than two seconds a test for nothing.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/mocs_compilation.cpp
        PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARNWICK_DATA_DIR=${TARNWICK_STAGED_DATA};TARNWICK_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
        TIMEOUT 600)
endfunction()

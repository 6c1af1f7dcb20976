# Builds the two programs and the release zip a second time, from a copy of the sources in
# another folder with its own build folder, and compares them byte for byte with the build
# tree's. Only the release preset is built there: the programs, the guide, the sums, the zip.
cmake_minimum_required(VERSION 3.25)

function(fail message)
    message(FATAL_ERROR "${message}")
endfunction()

string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
if(SOURCE_DATE_EPOCH STREQUAL "")
    fail("the build tree has no date to build with (no commit time, no SOURCE_DATE_EPOCH, no "
         "source file times), so no second build can match it")
endif()

# The sources as the working tree holds them: what git tracks or would track, without build
# folders or anything git ignores.
set(copy ${WORK_DIR}/sources)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${copy})
execute_process(COMMAND git -c core.quotePath=false ls-files --cached --others --exclude-standard
                WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE failed OUTPUT_VARIABLE listing ERROR_QUIET)
if(failed STREQUAL "0")
    string(REPLACE "\n" ";" files "${listing}")
else()
    # Not a git checkout: the files the build's date was taken from.
    include(${SOURCE_DIR}/cmake/SourceFiles.cmake)
    gpais_source_files(files ${SOURCE_DIR})
endif()
set(copied 0)
foreach(file IN LISTS files)
    if(file STREQUAL "" OR NOT EXISTS ${SOURCE_DIR}/${file} OR IS_DIRECTORY ${SOURCE_DIR}/${file})
        continue()  # deleted but not yet committed, or a submodule
    endif()
    get_filename_component(folder "${file}" DIRECTORY)
    file(COPY ${SOURCE_DIR}/${file} DESTINATION ${copy}/${folder})
    math(EXPR copied "${copied} + 1")
endforeach()
message(STATUS "copied ${copied} source files to ${copy}")

# The same commit time the build tree was configured with, as a second checkout would give.
foreach(step "cmake;--preset;release" "cmake;--build;--preset;release" "cpack;--preset;release")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH} ${step}
                    WORKING_DIRECTORY ${copy}
                    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
        fail("${step} failed in the second tree:\n${output}")
    endif()
endforeach()

set(second ${copy}/build/release)
file(GLOB first_zip "${BUILD_DIR}/gpais-filtras-*-win32.zip")
if(NOT first_zip)
    fail("no zip in ${BUILD_DIR}: the package.contents test makes it")
endif()
get_filename_component(zip_name "${first_zip}" NAME)
set(pairs "${first_zip}|${second}/${zip_name}")
foreach(program IN LISTS PROGRAMS)
    get_filename_component(name "${program}" NAME)
    file(GLOB_RECURSE found "${second}/*/${name}")
    list(FILTER found EXCLUDE REGEX "/_CPack_Packages/")
    if(NOT found)
        fail("the second tree built no ${name}")
    endif()
    list(APPEND pairs "${program}|${found}")
endforeach()

set(different "")
foreach(pair IN LISTS pairs)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 first)
    list(GET pair 1 other)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${other}
                    RESULT_VARIABLE differs)
    get_filename_component(name "${first}" NAME)
    if(differs)
        # cmp, where there is one, says where: enough to tell a time stamp from a path.
        execute_process(COMMAND cmp -l ${first} ${other} OUTPUT_VARIABLE bytes ERROR_QUIET)
        string(SUBSTRING "${bytes}" 0 600 bytes)
        list(APPEND different "${name}")
        message(STATUS "${name} differs; first differing bytes (offset, octal values):\n${bytes}")
    else()
        message(STATUS "${name} is the same byte for byte")
    endif()
endforeach()
if(different)
    fail("a second build in another folder gives different bytes for: ${different} "
         "(left in ${WORK_DIR} for a look)")
endif()
file(REMOVE_RECURSE ${WORK_DIR})

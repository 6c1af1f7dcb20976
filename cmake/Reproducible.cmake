# Two builds of the same sources, in different folders and at different times, give the same
# bytes. The date that the compiler builds in (__DATE__, in the crash report's toolchain line)
# and the times of the release zip's entries are the sources', not the build's; the programs
# carry neither a link time nor the folders they were built in.

# SOURCE_DATE_EPOCH from the environment wins, as everywhere else; then the commit's time; and
# in a tree without git history (an unpacked source archive) the newest modification time of
# the source files, which an archive keeps from its commit.
set(GPAIS_SOURCE_DATE_EPOCH "")
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(GPAIS_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    find_package(Git QUIET)
    if(Git_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE git_failed ERROR_QUIET)
        if(NOT git_failed AND commit_time MATCHES "^[0-9]+$")
            set(GPAIS_SOURCE_DATE_EPOCH "${commit_time}")
            # A new commit reconfigures, so a build folder never packs an older commit's date.
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path HEAD
                            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                            OUTPUT_VARIABLE head_file OUTPUT_STRIP_TRAILING_WHITESPACE
                            ERROR_QUIET)
            execute_process(COMMAND ${GIT_EXECUTABLE} symbolic-ref -q HEAD
                            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                            OUTPUT_VARIABLE branch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            set(ref_file "")
            if(branch)
                execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path ${branch}
                                WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                                OUTPUT_VARIABLE ref_file OUTPUT_STRIP_TRAILING_WHITESPACE
                                ERROR_QUIET)
            endif()
            foreach(file IN ITEMS ${head_file} ${ref_file})
                get_filename_component(file "${file}" ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
                if(EXISTS "${file}")
                    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
                                 CMAKE_CONFIGURE_DEPENDS "${file}")
                endif()
            endforeach()
        endif()
    endif()
endif()
if(GPAIS_SOURCE_DATE_EPOCH STREQUAL "")
    include(SourceFiles)
    gpais_source_files(sources ${PROJECT_SOURCE_DIR})
    set(newest 0)
    set(newest_file "")
    foreach(file IN LISTS sources)
        file(TIMESTAMP ${PROJECT_SOURCE_DIR}/${file} time "%s" UTC)
        if(time MATCHES "^[0-9]+$" AND time GREATER newest)
            set(newest ${time})
            set(newest_file ${file})
        endif()
    endforeach()
    if(newest GREATER 0)
        set(GPAIS_SOURCE_DATE_EPOCH ${newest})
        message(STATUS "No commit time and no SOURCE_DATE_EPOCH: dated by the newest source file, "
                       "${newest_file}")
    else()
        message(STATUS "No commit time, no SOURCE_DATE_EPOCH and no source file times: this "
                       "build is dated today")
    endif()
endif()

if(WIN32)
    # Paths relative to the source and build folders instead of absolute ones; the build folder
    # last, because it lies inside the source folder and the last matching map wins.
    add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
                        "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>")
    add_link_options(LINKER:--no-insert-timestamp)
    if(NOT GPAIS_SOURCE_DATE_EPOCH STREQUAL "")
        # The compiler is given the commit's day only (midnight UTC): __DATE__ is all it builds
        # in, and a command line that changes with every commit would rebuild everything.
        math(EXPR source_day "${GPAIS_SOURCE_DATE_EPOCH} / 86400 * 86400")
        set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${source_day})
    endif()
endif()

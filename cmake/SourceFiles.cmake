# The source files of a tree without git history (an unpacked source archive): every file but
# those of the build folders, which are not even looked into (they lie inside the tree and hold
# thousands of files, a Wine prefix among them), and the fuzz runs' corpus. Used by the build's
# date and by the test that builds a second copy, so both take the same files for the sources.

# Sets `out` to the files below `root`, relative to it.
function(gpais_source_files out root)
    file(GLOB top_entries LIST_DIRECTORIES true RELATIVE ${root} ${root}/*)
    list(FILTER top_entries EXCLUDE REGEX "^(build|\\.git)$")
    set(files "")
    foreach(entry IN LISTS top_entries)
        if(IS_DIRECTORY ${root}/${entry})
            file(GLOB_RECURSE below RELATIVE ${root} ${root}/${entry}/*)
            list(APPEND files ${below})
        else()
            list(APPEND files ${entry})
        endif()
    endforeach()
    list(FILTER files EXCLUDE REGEX "^fuzz/corpus-run/")
    set(${out} "${files}" PARENT_SCOPE)
endfunction()

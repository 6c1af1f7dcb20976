# Our own code builds warning-free; third-party code (GoogleTest) keeps its own flags.
# -Wundef: a macro tested with #if must be defined, so a file that tests a choice such as
# GPAIS_VECTOR_SCAN without including the header that makes it fails to build instead of
# silently taking the other way.
function(gpais_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wundef -Werror)
endfunction()

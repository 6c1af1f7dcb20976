# Our own code builds warning-free; third-party code (GoogleTest) keeps its own flags.
function(gpais_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

cmake_minimum_required(VERSION 3.25)
# The program must start on a bare Windows: it may import only Windows' own libraries, and not
# comctl32.dll, whose version would then be fixed at load time. It must also be a program of the
# tree's WIDTH (32 or 64; GUI, or console when SUBSYSTEM is 3) that can use more than 2 GiB, and
# must not import the 32-bit SetFilePointer, whose move to the end of a file of 4 GiB or more
# fails. A 32-bit program must take the scan's SSE2 paths, the ones the tests run.
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()

# All of them are known DLLs, which Windows takes from System32 only, whatever lies beside the
# program; every other DLL is loaded at run time from System32 by name. So are the common
# dialogs: the DLLs that they import would otherwise be looked for beside the program at start.
set(allowed kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no import table found")
endif()
foreach(line IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    message(STATUS "imports ${dll}")
    if(dll STREQUAL "comctl32.dll" OR dll STREQUAL "comdlg32.dll")
        message(FATAL_ERROR "${dll} is imported; it must be loaded at run time from System32")
    endif()
    if(NOT dll IN_LIST allowed)
        message(FATAL_ERROR "${dll} is not one of Windows' own libraries allowed here")
    endif()
endforeach()

if(NOT DEFINED SUBSYSTEM)
    set(SUBSYSTEM 2)
endif()
# objdump lists each imported function on a line of its own after its hint.
if(headers MATCHES "[ \t]SetFilePointer[\r\n]")
    message(FATAL_ERROR "SetFilePointer is imported; moves must use SetFilePointerEx")
endif()

if(WIDTH EQUAL 64)
    set(magic 020b)  # PE32+
else()
    set(magic 010b)  # PE32
endif()
foreach(fact "Magic[ \t]+${magic}" "Subsystem[ \t]+0000000${SUBSYSTEM}" "large address aware")
    if(NOT headers MATCHES "${fact}")
        message(FATAL_ERROR "missing in the PE header: ${fact}")
    endif()
endforeach()

if(WIDTH EQUAL 32)
    # The byte search's SSE2 loop ends each block with pmovmskb; without SSE2 the program would
    # carry only the scalar fallback.
    execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${PROGRAM} OUTPUT_VARIABLE code
                    RESULT_VARIABLE failed)
    if(failed OR NOT code MATCHES "[ \t]pmovmskb[ \t]")
        message(FATAL_ERROR "no SSE2 instruction (pmovmskb) in ${PROGRAM}")
    endif()
endif()

# Turns a UTF-8 text kept with LF line ends in the repository into the form Notepad on
# Windows 7 and later shows correctly: a byte-order mark and CR LF line ends. The program's
# version replaces @GPAIS_VERSION@.
#   cmake -DINPUT=... -DOUTPUT=... -DVERSION=... -P windows_text.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${INPUT}" text)
string(ASCII 239 187 191 bom)
if(text MATCHES "^${bom}")
    string(LENGTH "${bom}" bom_length)
    string(SUBSTRING "${text}" ${bom_length} -1 text)
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(REPLACE "@GPAIS_VERSION@" "${VERSION}" text "${text}")
file(WRITE "${OUTPUT}" "${bom}${text}")

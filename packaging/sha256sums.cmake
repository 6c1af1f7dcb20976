# Writes the SHA-256 sums of the given files in the form "sha256sum -c" reads: the hash, two
# blanks, the bare file name, LF; in the order the names sort, so the file never depends on
# the order the build listed them in.
#   cmake -DOUTPUT=... -DFILES="a.exe;b.exe" -P sha256sums.cmake
cmake_minimum_required(VERSION 3.25)
set(by_name "")
foreach(file IN LISTS FILES)
    get_filename_component(name "${file}" NAME)
    list(APPEND by_name "${name}|${file}")
endforeach()
list(SORT by_name)
set(text "")
foreach(entry IN LISTS by_name)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 file)
    file(SHA256 "${file}" hash)
    string(APPEND text "${hash}  ${name}\n")
endforeach()
file(WRITE "${OUTPUT}" "${text}")

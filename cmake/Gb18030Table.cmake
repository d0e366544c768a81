# The GB 18030 table the program writes that encoding from (src/files/Gb18030Table.h), made at build time by a
# small program compiled for the build machine, also when the program is built for the browser, which asks the
# build machine's iconv for every code point.
find_program(MORVALEN_HOST_CXX NAMES c++ g++ clang++ REQUIRED DOC "The build machine's C++ compiler")

# morvalen_gb18030_table(OUTPUT): the rule that writes the table's source to OUTPUT.
function(morvalen_gb18030_table output)
  set(maker ${CMAKE_BINARY_DIR}/gb18030-table-maker)
  set(source ${PROJECT_SOURCE_DIR}/src/files/maker/Gb18030TableMaker.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${MORVALEN_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -o ${maker} ${source}
    COMMAND ${maker} ${output}
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/src/files/maker/IconvGb18030.h
    COMMENT "Making the GB 18030 table from the build machine's iconv"
    VERBATIM)
endfunction()

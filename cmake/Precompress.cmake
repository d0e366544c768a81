# Writes FILE.gz (gzip -9) and, where Debian's brotli is installed, FILE.br beside every file of a folder that
# compression makes smaller, so that a server that serves them (nginx's gzip_static, Caddy's precompressed) sends
# the page in a third of its size. A file is compressed again only when it changed.
#   cmake -DFOLDER=DIR -DGZIP=PATH [-DBROTLI=PATH] -P Precompress.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false "${FOLDER}/*")
foreach(file IN LISTS files)
  if(file MATCHES "\\.(gz|br|png)$")
    continue()  # compressed already
  endif()
  if(NOT EXISTS "${file}.gz" OR "${file}" IS_NEWER_THAN "${file}.gz")
    execute_process(COMMAND "${GZIP}" -9 -n -k -f "${file}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
  if(BROTLI AND (NOT EXISTS "${file}.br" OR "${file}" IS_NEWER_THAN "${file}.br"))
    execute_process(COMMAND "${BROTLI}" -q 11 -k -f "${file}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

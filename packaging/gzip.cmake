# Compresses INPUT to INPUT.gz as Debian wants it: best compression, no file
# name and no time stamp in the header, so the package builds reproducibly.
cmake_minimum_required(VERSION 3.25)
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND "${GZIP}" -9 -n -c "${INPUT}" OUTPUT_FILE "${INPUT}.gz" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip.cmake: cannot compress ${INPUT}")
endif()

# Builds one room probe (see Rooms.cmake) and checks how it came out.
#   cmake -DBUILD=<build tree> -DTARGET=<probe> -DEXPECT=compiles|misses -DHEADER=<include> -P RoomProbe.cmake
# The compiler's messages in English, whatever the machine's language.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANG=C ${CMAKE_COMMAND} --build ${BUILD} --target ${TARGET}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
if(EXPECT STREQUAL "compiles")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TARGET} should compile (it includes ${HEADER}, from a room below) but did not:\n${out}")
  endif()
elseif(EXPECT STREQUAL "misses")
  if(rc EQUAL 0)
    message(FATAL_ERROR "${TARGET} compiled: its room reached ${HEADER}, in a room above it")
  endif()
  string(REPLACE "." "\\." header_pattern "${HEADER}")
  # GCC: "<header>: No such file or directory"; clang: "'<header>' file not found".
  if(NOT out MATCHES "${header_pattern}(: No such file|' file not found)")
    message(FATAL_ERROR "${TARGET} failed, but not for the missing ${HEADER}:\n${out}")
  endif()
else()
  message(FATAL_ERROR "EXPECT is compiles or misses, not '${EXPECT}'")
endif()

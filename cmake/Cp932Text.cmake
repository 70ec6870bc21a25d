# Writes a UTF-8 text file as code page 932 with CR LF line ends:
#   cmake -DIN=<utf-8 file> -DOUT=<cp932 file> -P Cp932Text.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
get_filename_component(name "${OUT}" NAME)
set(tmp "${OUT}.utf8")
file(WRITE "${tmp}" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 "${tmp}"
  OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc ERROR_VARIABLE err)
file(REMOVE "${tmp}")
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "${name}: not representable in code page 932: ${err}")
endif()

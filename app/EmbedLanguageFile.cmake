# Writes OUTPUT from TEMPLATE with the bytes of INPUT in place of
# @PELMORA_ENGLISH_TEXTS@ (a raw string literal). Run with cmake -P.
file(READ "${INPUT}" PELMORA_ENGLISH_TEXTS)
string(FIND "${PELMORA_ENGLISH_TEXTS}" ")lan\"" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "${INPUT} contains the raw string's closing mark )lan\"")
endif()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)

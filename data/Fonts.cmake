# The private fonts beside the program, taken from Debian's font packages at
# build time (fonts-noto-cjk, fonts-liberation2; scripts/setup installs them).
# The interface asks for them by the shipped file names. The CJK file is a
# font collection (.ttc) even under its .otf name: fontconfig and FreeType
# read the content, not the extension, and register every face inside.
# Included by data/CMakeLists.txt.

# A font file from its Debian path, else wherever fontconfig knows it from.
function(pelmora_find_font var file_name debian_dir fc_pattern)
  find_file(${var} ${file_name} PATHS ${debian_dir} NO_DEFAULT_PATH)
  if(NOT ${var})
    execute_process(COMMAND fc-list -f "%{file}\n" "${fc_pattern}"
      OUTPUT_VARIABLE _found OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    string(REPLACE "\n" ";" _found "${_found}")
    list(FILTER _found INCLUDE REGEX "/${file_name}$")
    if(_found)
      list(GET _found 0 _first)
      set(${var} ${_first} CACHE FILEPATH "Font file ${file_name}" FORCE)
    endif()
  endif()
  if(NOT ${var})
    message(FATAL_ERROR "Font ${file_name} not found; run scripts/setup to install the Debian font packages")
  endif()
endfunction()

pelmora_find_font(PELMORA_FONT_CJK NotoSansCJK-Regular.ttc /usr/share/fonts/opentype/noto
  ":family=Noto Sans CJK SC:style=Regular")
pelmora_find_font(PELMORA_FONT_LATIN LiberationSans-Regular.ttf /usr/share/fonts/truetype/liberation2
  ":family=Liberation Sans:style=Regular")

set(PELMORA_FONT_DIR ${PELMORA_BIN_DIR}/font)
set(PELMORA_SHIPPED_FONTS ${PELMORA_FONT_DIR}/SourceHanSansCN-Regular.otf ${PELMORA_FONT_DIR}/Arial.ttf)
add_custom_command(
  OUTPUT ${PELMORA_SHIPPED_FONTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PELMORA_FONT_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${PELMORA_FONT_CJK} ${PELMORA_FONT_DIR}/SourceHanSansCN-Regular.otf
  COMMAND ${CMAKE_COMMAND} -E copy ${PELMORA_FONT_LATIN} ${PELMORA_FONT_DIR}/Arial.ttf
  DEPENDS ${PELMORA_FONT_CJK} ${PELMORA_FONT_LATIN}
  COMMENT "Copying the private fonts"
  VERBATIM)
add_custom_target(fonts DEPENDS ${PELMORA_SHIPPED_FONTS})
add_dependencies(product_data fonts)

install(FILES ${PELMORA_SHIPPED_FONTS} DESTINATION lib/pelmora-keyboard-t40/font)

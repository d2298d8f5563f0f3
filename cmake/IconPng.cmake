# Writes the PNG image of one size out of an ICO whose images are stored as
# PNG (as the skin generator writes the tray icon), so the desktop's icon
# theme gets the very same picture. Run with cmake -P:
#   -DICO=<file.ico> -DSIZE=<pixels> -DOUT=<file.png>
# CMake cannot write binary bytes itself, so dd copies the image's range.
cmake_minimum_required(VERSION 3.25)

# Little-endian unsigned integer of `bytes` bytes at `offset` in the hex dump.
function(read_le hex offset bytes var)
  set(value 0)
  math(EXPR last "${bytes} - 1")
  foreach(i RANGE ${last} 0 -1)
    math(EXPR at "(${offset} + ${i}) * 2")
    string(SUBSTRING "${hex}" ${at} 2 byte)
    math(EXPR value "${value} * 256 + 0x${byte}")
  endforeach()
  set(${var} ${value} PARENT_SCOPE)
endfunction()

file(READ "${ICO}" header LIMIT 1024 HEX)
read_le("${header}" 2 2 type)
read_le("${header}" 4 2 count)
if(NOT type EQUAL 1 OR count EQUAL 0)
  message(FATAL_ERROR "${ICO} is not an icon file")
endif()
math(EXPR lastEntry "${count} - 1")
foreach(entry RANGE ${lastEntry})
  math(EXPR at "6 + 16 * ${entry}")
  read_le("${header}" ${at} 1 width)
  if(width EQUAL SIZE)
    math(EXPR sizeAt "${at} + 8")
    math(EXPR offsetAt "${at} + 12")
    read_le("${header}" ${sizeAt} 4 length)
    read_le("${header}" ${offsetAt} 4 offset)
    execute_process(COMMAND dd if=${ICO} of=${OUT} bs=1 skip=${offset} count=${length} status=none
      RESULT_VARIABLE failed)
    file(READ "${OUT}" signature LIMIT 8 HEX)
    if(failed OR NOT signature STREQUAL "89504e470d0a1a0a")
      message(FATAL_ERROR "The ${SIZE} px image of ${ICO} is not a PNG")
    endif()
    return()
  endif()
endforeach()
message(FATAL_ERROR "${ICO} has no ${SIZE} px image")

# The board's USB IDs for the native USB link, in one place: the IDs its microcontroller shows
# before the firmware load and the IDs the firmware shows after it, "VID:PID" in hex. They go
# into a generated header of board/ and into the udev rule. The defaults are placeholders: set
# the real values found with lsusb (see the README).
set(DAC_EVAL_USB_ID "fff0:0820" CACHE STRING
    "The board's USB IDs before the firmware load, VID:PID in hex")
set(DAC_EVAL_USB_FIRMWARE_ID "fff0:0821" CACHE STRING
    "The board's USB IDs after the firmware load, VID:PID in hex")
set(DAC_EVAL_UDEV_RULE_NAME "60-dac-eval.rules")

# Splits `text` ("VID:PID", one to four hex digits each) into <prefix>_VENDOR and
# <prefix>_PRODUCT, four lower-case digits each, or stops the configuration with a message.
function(dac_eval_split_usb_id variable prefix)
  set(text "${${variable}}")
  if(NOT text MATCHES "^([0-9A-Fa-f][0-9A-Fa-f]?[0-9A-Fa-f]?[0-9A-Fa-f]?):([0-9A-Fa-f][0-9A-Fa-f]?[0-9A-Fa-f]?[0-9A-Fa-f]?)$")
    message(FATAL_ERROR
            "${variable}=\"${text}\": expected VID:PID, each 1 to 4 hexadecimal digits (e.g. fff0:0820)")
  endif()
  set(VENDOR "${CMAKE_MATCH_1}")
  set(PRODUCT "${CMAKE_MATCH_2}")
  foreach(part IN ITEMS VENDOR PRODUCT)
    set(digits "${${part}}")
    string(TOLOWER "${digits}" digits)
    string(LENGTH "${digits}" length)
    while(length LESS 4)
      string(PREPEND digits "0")
      math(EXPR length "${length} + 1")
    endwhile()
    set(${prefix}_${part} "${digits}" PARENT_SCOPE)
  endforeach()
endfunction()

dac_eval_split_usb_id(DAC_EVAL_USB_ID DAC_EVAL_USB)
dac_eval_split_usb_id(DAC_EVAL_USB_FIRMWARE_ID DAC_EVAL_USB_FIRMWARE)

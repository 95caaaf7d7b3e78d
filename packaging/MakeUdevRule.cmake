# Writes a file for the mouse that Data.ini describes: the udev rule, the
# AppStream metainfo.
#   cmake -DDESCRIBE=<vestrelctl describe output> -DTEMPLATE=<file.in> -DOUTPUT=<file>
#         [-DPROJECT_VERSION=<version> -DSCREENSHOT_BASE_URL=<url>] -P MakeUdevRule.cmake
# The ids come from vestrelctl describe, so they are read exactly as the
# program reads them; sysfs shows them as four lower-case hex digits.
cmake_minimum_required(VERSION 3.25)
file(STRINGS "${DESCRIBE}" lines REGEX "^(VID|PID)=")
foreach(line IN LISTS lines)
  if(line MATCHES "^(VID|PID)=([0-9A-F][0-9A-F][0-9A-F][0-9A-F])$")
    string(TOLOWER "${CMAKE_MATCH_2}" "VESTREL_${CMAKE_MATCH_1}")
    # Modaliases spell them upper-case.
    set("VESTREL_${CMAKE_MATCH_1}_UPPER" "${CMAKE_MATCH_2}")
  endif()
endforeach()
if(NOT VESTREL_VID OR NOT VESTREL_PID)
  message(FATAL_ERROR "no VID and PID in ${DESCRIBE}")
endif()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)

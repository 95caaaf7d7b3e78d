# pugixml for the Windows compile check, which builds static libraries only:
# the host's headers, copied apart so that no other host header reaches the
# MinGW compiler's include path.
find_file(VESTREL_HOST_PUGIXML_HPP pugixml.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VESTREL_HOST_PUGIXML_HPP)
  set(pugixml_FOUND FALSE)
  return()
endif()
get_filename_component(_host_include ${VESTREL_HOST_PUGIXML_HPP} DIRECTORY)
set(_include ${CMAKE_BINARY_DIR}/pugixml-include)
file(COPY ${_host_include}/pugixml.hpp ${_host_include}/pugiconfig.hpp DESTINATION ${_include})
if(NOT TARGET pugixml::pugixml)
  add_library(pugixml::pugixml INTERFACE IMPORTED)
  set_target_properties(pugixml::pugixml PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_include})
endif()
set(pugixml_FOUND TRUE)

# The web addresses the program opens: build options, checked here so that a bad value stops the
# configure step with a message naming the option. Also runs on its own (cmake -P), which is how
# the tests try it.
set(QUORVEL_SERVICE_HOST "www.quorvel.example" CACHE STRING "Host name of the sound-search service")
set(QUORVEL_SPONSOR_HOST "www.tavernix.example" CACHE STRING "Host name of the sponsoring site")
foreach(host QUORVEL_SERVICE_HOST QUORVEL_SPONSOR_HOST)
  if(NOT ${host} MATCHES "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?$")
    message(FATAL_ERROR "${host} must be a plain host name, not '${${host}}'")
  endif()
endforeach()
# The three addresses; left empty, each is made of the host names above.
set(QUORVEL_SEARCH_ADDRESS "" CACHE STRING
  "Search address that the typed text is appended to (empty: http://SERVICE_HOST/ISAPI/search.dll?keywords=)")
set(QUORVEL_HOME_ADDRESS "" CACHE STRING "The service's home page (empty: http://SERVICE_HOST/index.html)")
set(QUORVEL_SPONSOR_ADDRESS "" CACHE STRING "The sponsoring site (empty: http://SPONSOR_HOST)")
set(defaults "http://${QUORVEL_SERVICE_HOST}/ISAPI/search.dll?keywords=" "http://${QUORVEL_SERVICE_HOST}/index.html"
  "http://${QUORVEL_SPONSOR_HOST}")
foreach(address QUORVEL_SEARCH_ADDRESS QUORVEL_HOME_ADDRESS QUORVEL_SPONSOR_ADDRESS)
  list(POP_FRONT defaults default)
  if("${${address}}" STREQUAL "")
    set(${address} "${default}") # a plain variable, in front of the empty cache entry
  endif()
endforeach()
# Each goes to the shell as it is, and into the program as a string: a plain http or https
# address of printable ASCII, without a blank, a quote or a backslash.
foreach(address QUORVEL_SEARCH_ADDRESS QUORVEL_HOME_ADDRESS QUORVEL_SPONSOR_ADDRESS)
  if(NOT ${address} MATCHES "^https?://")
    message(FATAL_ERROR "${address} must start with http:// or https://, not '${${address}}'")
  endif()
  if(NOT ${address} MATCHES "^https?://[]!#-[^-~]+$")
    message(FATAL_ERROR "${address} may hold only printable ASCII without blanks, quotes or backslashes: "
      "'${${address}}'")
  endif()
endforeach()
string(REGEX REPLACE "^https?://([^/?#@]*@)?([^/:?#]+).*" "\\2" QUORVEL_SPONSOR_SITE "${QUORVEL_SPONSOR_ADDRESS}")
if(CMAKE_SCRIPT_MODE_FILE)
  message("${QUORVEL_SEARCH_ADDRESS} ${QUORVEL_HOME_ADDRESS} ${QUORVEL_SPONSOR_ADDRESS} ${QUORVEL_SPONSOR_SITE}")
else()
  configure_file(${CMAKE_CURRENT_LIST_DIR}/../src/links/Addresses.h.in ${CMAKE_BINARY_DIR}/generated/links/Addresses.h @ONLY)
endif()


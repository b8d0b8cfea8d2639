# The address options as configuring takes them: cmake -DADDRESSES=cmake/Addresses.cmake -P address_options.cmake
function(expect_configure wanted)
  execute_process(COMMAND ${CMAKE_COMMAND} ${ARGN} -P ${ADDRESSES} RESULT_VARIABLE failed OUTPUT_VARIABLE said
                  ERROR_VARIABLE said)
  string(FIND "${said}" "${wanted}" at)
  if(at LESS 0 OR (failed AND NOT wanted MATCHES "ADDRESS$") OR (NOT failed AND wanted MATCHES "ADDRESS$"))
    message(FATAL_ERROR "with ${ARGN}: expected '${wanted}', got '${said}'")
  endif()
endfunction()

expect_configure("http://www.quorvel.example/ISAPI/search.dll?keywords= http://www.quorvel.example/index.html \
http://www.tavernix.example www.tavernix.example")
expect_configure("http://s.example/ISAPI/search.dll?keywords= http://s.example/index.html \
https://u@sp.example:81/x?a=1 sp.example" -DQUORVEL_SERVICE_HOST=s.example
  "-DQUORVEL_SPONSOR_ADDRESS=https://u@sp.example:81/x?a=1")
foreach(bad "ftp://x" "http://a b" "http://a\"b" "http://a\\b" "http://caffè" "http://a\tb" "https://")
  expect_configure("QUORVEL_HOME_ADDRESS" "-DQUORVEL_HOME_ADDRESS=${bad}")
endforeach()

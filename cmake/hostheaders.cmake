# A header-only package of the build machine (nlohmann/json, CLI11) for a cross build: its
# headers alone, linked into a folder of their own, since putting the host's whole
# /usr/include on the include path would hide the target's C library headers.
function(grimtally_host_headers target folder)
  if(TARGET ${target})
    return()
  endif()
  set(headers ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${headers})
  if(NOT EXISTS ${headers}/${folder})
    file(CREATE_LINK /usr/include/${folder} ${headers}/${folder} SYMBOLIC)
  endif()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} INTERFACE ${headers})
endfunction()

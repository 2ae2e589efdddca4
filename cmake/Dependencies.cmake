# Third-party libraries, all from Debian's packages. The header-only ones serve
# both builds; for the Windows build their folders are linked into a private
# include directory so that no Linux system header leaks into a mingw compile.
set(QIRA_HEADER_LIBS ${CMAKE_BINARY_DIR}/deps/include)
file(MAKE_DIRECTORY ${QIRA_HEADER_LIBS})
foreach(dir fmt nlohmann concurrentqueue)
  if(NOT EXISTS ${QIRA_HEADER_LIBS}/${dir})
    file(CREATE_LINK /usr/include/${dir} ${QIRA_HEADER_LIBS}/${dir} SYMBOLIC)
  endif()
endforeach()

add_library(qira_headers INTERFACE)
target_include_directories(qira_headers SYSTEM INTERFACE ${QIRA_HEADER_LIBS})
target_compile_definitions(qira_headers INTERFACE FMT_HEADER_ONLY)

if(WIN32)
  set(QIRA_CURL_WIN32_DIR "${CMAKE_SOURCE_DIR}/build/deps/curl-win32" CACHE PATH
      "static libcurl built with Schannel by scripts/build-curl-win32.sh")
  if(NOT EXISTS ${QIRA_CURL_WIN32_DIR}/lib/libcurl.a)
    message(FATAL_ERROR "libcurl for mingw is missing: run scripts/build-curl-win32.sh")
  endif()
  add_library(qira_curl INTERFACE)
  target_include_directories(qira_curl SYSTEM INTERFACE ${QIRA_CURL_WIN32_DIR}/include)
  target_compile_definitions(qira_curl INTERFACE CURL_STATICLIB)
  target_link_libraries(qira_curl INTERFACE ${QIRA_CURL_WIN32_DIR}/lib/libcurl.a
      z ws2_32 crypt32 bcrypt secur32 advapi32 iphlpapi wldap32 normaliz)
  add_library(qira_zlib INTERFACE)
  target_link_libraries(qira_zlib INTERFACE z)
else()
  find_package(CURL REQUIRED)
  find_package(ZLIB REQUIRED)
  find_package(OpenSSL REQUIRED)
  find_package(Threads REQUIRED)
  add_library(qira_curl INTERFACE)
  target_link_libraries(qira_curl INTERFACE CURL::libcurl)
  add_library(qira_zlib INTERFACE)
  target_link_libraries(qira_zlib INTERFACE ZLIB::ZLIB)
endif()

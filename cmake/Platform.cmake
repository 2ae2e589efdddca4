# Platform selection: every platform-specific unit is a pair of files,
# name_win.cpp and name_linux.cpp, beside a portable name.h.
if(WIN32)
  set(QIRA_PLATFORM win)
else()
  set(QIRA_PLATFORM linux)
endif()

# qira_platform_sources(<target> <dir/name> ...): adds dir/name_<platform>.cpp.
function(qira_platform_sources target)
  foreach(stem IN LISTS ARGN)
    target_sources(${target} PRIVATE ${stem}_${QIRA_PLATFORM}.cpp)
  endforeach()
endfunction()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  add_compile_options(-Wall -Wextra)
  # One self-contained executable: no libstdc++/libgcc/winpthread DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  add_compile_options(-Wall -Wextra)
endif()

set(QIRA_SANITIZE "" CACHE STRING "address;undefined, or thread, for the sanitizer presets")
if(QIRA_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(QIRA_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

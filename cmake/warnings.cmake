# Warning flags per compiler for every target defined after this file: the project's own code.
# GoogleTest is added before it, so its sources keep their own flags.
option(ROTAPLEX_WERROR "Treat the project's compiler warnings as errors (CI turns it on)" OFF)

if(MSVC)
  # Standard conformance and UTF-8 sources, as GCC and Clang read them. One warning is off,
  # C4996, by the CRT's own switch: it calls standard C functions unsafe (getenv, which the tests
  # read their settings with), where GCC and Clang have nothing to say.
  set(ROTAPLEX_WARNING_FLAGS /W4 /permissive- /utf-8)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
else()
  set(ROTAPLEX_WARNING_FLAGS
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wformat=2
    -Wimplicit-fallthrough)
endif()
# C++ only: the resource compiler takes no warning flags.
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:${ROTAPLEX_WARNING_FLAGS}>")
# The same switch CMake gives every compiler (-Werror, /WX) for the targets created from here on.
set(CMAKE_COMPILE_WARNING_AS_ERROR ${ROTAPLEX_WERROR})

# GoogleTest: an installed package where find_package finds one, else built from its sources.
# Debian keeps them in /usr/src/googletest; the cross build has no installed Windows GoogleTest.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(ROTAPLEX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
      "GoogleTest's sources, built when find_package(GTest) finds no installed GoogleTest")
  if(NOT EXISTS ${ROTAPLEX_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest was not found: install it where find_package(GTest) finds it, "
                        "set ROTAPLEX_GTEST_SOURCE_DIR to its sources, or configure with -DROTAPLEX_TESTS=OFF")
  endif()
  # Its libraries stay out of the install tree, and so out of the package. With MSVC it links the
  # static runtime library by default, as the project does.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ROTAPLEX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

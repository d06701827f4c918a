# What the release package holds: the stripped programs, the README, the change log and the
# licence. scripts/package.sh installs them and zips them the same way every time
# (build/dist/Rotaplex-<version>-win64.zip); on Windows, CPack zips them (cpack --preset msvc).
install(TARGETS Rotaplex RUNTIME DESTINATION .)
install(FILES README.md CHANGELOG.md LICENSE DESTINATION .)
# The pictures the README shows.
file(GLOB ROTAPLEX_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.png)
install(FILES ${ROTAPLEX_PICTURES} DESTINATION docs)

# The command-line program goes in once the build has one; looked for when the whole tree has
# been read, wherever it is added.
function(rotaplex_install_cli)
  if(TARGET rotaplex-cli)
    install(TARGETS rotaplex-cli RUNTIME DESTINATION .)
  endif()
endfunction()
cmake_language(DEFER CALL rotaplex_install_cli)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ROTAPLEX_PLATFORM win64)
else()
  set(ROTAPLEX_PLATFORM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Rotaplex)
set(CPACK_PACKAGE_VENDOR "the Rotaplex developers")
set(CPACK_PACKAGE_FILE_NAME Rotaplex-${PROJECT_VERSION}-${ROTAPLEX_PLATFORM})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Debug information stays in the build; MSVC keeps it in .pdb files, which are not installed.
set(CPACK_STRIP_FILES ON)
include(CPack)

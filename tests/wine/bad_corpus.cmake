# The bad-input corpus: generated into the build when the tests run (some inputs are megabytes),
# then every folder is started through the real program.
set(BAD_CORPUS ${CMAKE_BINARY_DIR}/bad-corpus)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME bad_corpus_make COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/make-bad-corpus.py ${BAD_CORPUS})
set_tests_properties(bad_corpus_make PROPERTIES FIXTURES_SETUP bad_corpus)

rotaplex_wine_test(bad_corpus_tests
  SOURCES bad_corpus_test.cpp
  LIBS rotaplex_cycle_win
  LOCKS game_registry_key display_focus)
set_property(TEST bad_corpus_tests APPEND PROPERTY FIXTURES_REQUIRED bad_corpus)
set_property(TEST bad_corpus_tests APPEND PROPERTY ENVIRONMENT
  "ROTAPLEX_EXE=$<TARGET_FILE:Rotaplex>" "ROTAPLEX_CORPUS=${BAD_CORPUS}")

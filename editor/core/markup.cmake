# Tests of the markup commands and of the helpers behind the editor's
# dialogs, and the fuzzing of the picture reader.
set(QM_MARKUP_TESTS ${CMAKE_CURRENT_LIST_DIR}/../tests/markup)
qm_native_test(editor_markup_tests
  SOURCES
    ${QM_MARKUP_TESTS}/MarkupCommandsTest.cpp
    ${QM_MARKUP_TESTS}/BrowseRenumberTest.cpp
    ${QM_MARKUP_TESTS}/DialogValuesTest.cpp
    ${QM_MARKUP_TESTS}/ShgPictureTest.cpp
    ${QM_MARKUP_TESTS}/DialogPlacementTest.cpp
  LIBS qm_editor_core)

qm_fuzzer(fuzz_shg_picture
  SOURCES ${QM_MARKUP_TESTS}/FuzzShgPicture.cpp
  LIBS qm_editor_core
  SEEDS ${QM_TESTDATA_DIR}/shg/shed ${QM_TESTDATA_DIR}/shg/hlp-embedded)

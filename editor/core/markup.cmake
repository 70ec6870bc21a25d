# Tests of the markup commands and dialogs' helpers.
set(QM_MARKUP_TESTS ${CMAKE_CURRENT_LIST_DIR}/../tests/markup)
qm_native_test(editor_markup_tests
  SOURCES
    ${QM_MARKUP_TESTS}/MarkupCommandsTest.cpp
    ${QM_MARKUP_TESTS}/BrowseRenumberTest.cpp
  LIBS qm_editor_core)

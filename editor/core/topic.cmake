# Topic loading and saving: the conversions between topic files and the
# editor pane's RTF (portable), their tests and benchmarks.
qm_core_library(qm_topic_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RtfText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TopicFootnotes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TopicStash.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TopicMarkup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TopicLoad.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TopicSave.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SwappedIndents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CopiedParagraphFormat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParagraphKeepFlags.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NegativeTabs.cpp
  LIBS qm_core)

set(QM_TOPIC_TESTS ${CMAKE_CURRENT_LIST_DIR}/../tests/topic)
qm_native_test(topic_core_tests
  SOURCES
    ${QM_TOPIC_TESTS}/TopicTestUtil.cpp
    ${QM_TOPIC_TESTS}/RtfTextTest.cpp
    ${QM_TOPIC_TESTS}/TopicFootnotesTest.cpp
    ${QM_TOPIC_TESTS}/TopicLoadTest.cpp
    ${QM_TOPIC_TESTS}/TopicSaveTest.cpp
    ${QM_TOPIC_TESTS}/SwappedIndentsTest.cpp
    ${QM_TOPIC_TESTS}/CopiedParagraphFormatTest.cpp
    ${QM_TOPIC_TESTS}/ParagraphKeepFlagsTest.cpp
    ${QM_TOPIC_TESTS}/NegativeTabsTest.cpp
    ${QM_TOPIC_TESTS}/TopicRealFilesTest.cpp
    ${QM_TOPIC_TESTS}/WordStructureTest.cpp
    ${QM_TOPIC_TESTS}/WordFieldsTest.cpp
  LIBS qm_topic_core)

qm_benchmark(bench_topic
  SOURCES ${QM_TOPIC_TESTS}/TopicBenchmark.cpp
  LIBS qm_topic_core)

qm_wine_test(topic_richedit_probe_tests
  SOURCES
    ${QM_TOPIC_TESTS}/TopicTestUtil.cpp
    ${QM_TOPIC_TESTS}/wine/RichEditProbeTest.cpp
  LIBS qm_topic_core qm_classlib)
if(TARGET topic_richedit_probe_tests)
  target_include_directories(topic_richedit_probe_tests PRIVATE ${QM_TOPIC_TESTS})
endif()
if(TARGET topic_core_tests)
  target_include_directories(topic_core_tests PRIVATE ${QM_TOPIC_TESTS})
endif()

qm_fuzzer(fuzz_topic
  SOURCES ${QM_TOPIC_TESTS}/fuzz/FuzzTopic.cpp
  LIBS qm_topic_core
  SEEDS ${QM_TOPIC_TESTS}/fuzz/seeds)

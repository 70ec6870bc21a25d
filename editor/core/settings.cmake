qm_core_library(qm_editor_settings SOURCES EditorSettings.cpp RecentProjects.cpp LIBS qm_core)
qm_native_test(editor_settings_tests
  SOURCES ../tests/settings/EditorSettingsTest.cpp ../tests/settings/RecentProjectsTest.cpp
  LIBS qm_editor_settings)

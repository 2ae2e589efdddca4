# The installer window: included at the end of this folder's list, once the
# message box's library exists.
if(NOT TARGET qira_msgbox)
  return()
endif()
add_library(qira_installer STATIC web_inst_wnd.cpp version_page.cpp)
qira_platform_sources(qira_installer shell_open)
target_link_libraries(qira_installer PUBLIC qira_ui qira_check qira_identity qira_report qira_msgbox)
target_compile_definitions(qira_installer PRIVATE
  QIRA_REQUIRE_HOST="${QIRA_REQUIRE_HOST}"
  QIRA_LICENSE_URL="${QIRA_LICENSE_URL}"
  QIRA_CONTACT_URL="${QIRA_CONTACT_URL}")
if(WIN32)
  target_link_libraries(qira_installer PUBLIC shell32)
else()
  qira_test(installer_window_tests LABELS "integration;concurrency"
    SOURCES web_inst_wnd_unittest.cpp
    LIBS qira_installer qira_skin_embedded qira_devserver)
endif()

// Test programs run headless with an application object (events, paths) and an
// application folder of their own, so nothing is written beside the test binaries.

#include "core/AppFolders.h"

#include <QTemporaryDir>

#if defined(PIVLO_TEST_WIDGETS)
#include <QApplication>
using TestApplication = QApplication;  // windows and dialogs
#elif defined(PIVLO_TEST_GUI)
#include <QGuiApplication>
using TestApplication = QGuiApplication;  // fonts and text drawing
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  TestApplication app(argc, argv);
  QTemporaryDir application_folder;
  if (!application_folder.isValid()) return 1;
  pivlo::SetApplicationFolder(application_folder.path());
  return RUN_ALL_TESTS();
}

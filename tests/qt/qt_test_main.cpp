#include <QApplication>

#include <gtest/gtest.h>

// Widget and adapter tests need an application object; they run on the
// offscreen platform so no display is needed.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("VESPERON_DRY_RUN", "1");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

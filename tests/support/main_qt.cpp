// Entry of every test program: a QApplication on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/recordset.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  plat::ImpostaLettoreAccess(LETTORE_ACCESS);  // the test programs lie apart from it
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

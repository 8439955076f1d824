// The program's entry: the start-up procedure runs, then the event loop.
#include <QApplication>

#include "ui/avvio.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int esito = ui::Main(argc, argv);
  if (esito != 0) return esito;
  return app.exec();
}

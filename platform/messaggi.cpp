#include "platform/messaggi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "platform/schermo.h"

namespace plat {
namespace {

class PresentatoreQt : public Presentatore {
 public:
  void Mostra(const Messaggio& m) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(m.titolo);
    // Lines joined by a carriage return alone show as lines too.
    QString testo = m.testo;
    testo.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setTextFormat(Qt::PlainText);
    box.setText(testo);
    switch (m.icona) {
      case Icona::Critica:
        box.setIcon(QMessageBox::Critical);
        break;
      case Icona::Esclamativa:
        box.setIcon(QMessageBox::Warning);
        break;
      case Icona::Informazione:
        box.setIcon(QMessageBox::Information);
        break;
      case Icona::Nessuna:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
  }
};

PresentatoreQt g_qt;
Presentatore* g_presentatore = &g_qt;

// The window a message closed over, whose activation has been asked for and
// may not have come yet: a message right after it belongs to that window.
QPointer<QWidget> g_daRiattivare;

unsigned long g_mostrati = 0;

// The window that was active gets its activation back after the message.
void RiattivaDopoIlMessaggio(QWidget* finestra) {
  g_daRiattivare = RendiAttivazione(finestra) ? finestra : nullptr;
}

}  // namespace

void ImpostaPresentatore(Presentatore* p) { g_presentatore = p ? p : &g_qt; }

QString TitoloProgramma() { return QStringLiteral("Mistrel2013"); }

unsigned long MessaggiMostrati() { return g_mostrati; }

void MsgBox(const QString& testo, Icona icona) {
  ++g_mostrati;
  QPointer<QWidget> attiva = QApplication::activeWindow();
  if (!attiva) attiva = g_daRiattivare;
  {
    // Never under the busy pointer; a run that goes on is busy again after it.
    PuntatoreSospeso normale;
    g_presentatore->Mostra(Messaggio{testo, icona, TitoloProgramma()});
  }
  RiattivaDopoIlMessaggio(attiva);
}

}  // namespace plat

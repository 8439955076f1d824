// Message boxes.  Every message of the program goes through one presenter,
// which tests replace with a recorder.
#pragma once

#include <QString>

namespace plat {

enum class Icona { Nessuna, Critica, Esclamativa, Informazione };

struct Messaggio {
  QString testo;
  Icona icona = Icona::Nessuna;
  QString titolo;
};

class Presentatore {
 public:
  virtual ~Presentatore() = default;
  virtual void Mostra(const Messaggio& m) = 0;
};

// nullptr restores the presenter that shows real message boxes.
void ImpostaPresentatore(Presentatore* p);

// The program's title, used as the caption of its message boxes.
QString TitoloProgramma();

// Shows a message with an OK button under the program's title.
void MsgBox(const QString& testo, Icona icona = Icona::Nessuna);

// How many messages have been shown so far (counted as each one opens): a
// handler can tell whether what it called showed one.
unsigned long MessaggiMostrati();

}  // namespace plat

#include "core/documenti.h"

#include "platform/messaggi.h"
#include "platform/shell.h"

namespace core {

QString TestoErroreShell(int codice) {
  switch (codice) {
    case 2:
      return QStringLiteral("File not found");
    case 3:
      return QStringLiteral("Path not found");
    case 5:
      return QStringLiteral("Access denied");
    case 8:
      return QStringLiteral("Out of memory");
    case 11:
      return QStringLiteral("Invalid EXE file or error in EXE image");
    case 26:
      return QStringLiteral("A sharing violation occurred");
    case 27:
      return QStringLiteral("Incomplete or invalid file association");
    case 28:
      return QStringLiteral("DDE Time out");
    case 29:
      return QStringLiteral("DDE transaction failed");
    case 30:
      return QStringLiteral("DDE busy");
    case 31:
      return QStringLiteral("No association for file extension");
    case 32:
      return QStringLiteral("DLL not found");
    default:
      return QStringLiteral("Unknown error");
  }
}

bool ApriDocumento(const QString& target, const QString&) {
  if (target.isEmpty()) {
    plat::MsgBox(QStringLiteral("Documentazione non trovata"));
    return false;
  }
  const int esito = plat::ApriConShell(target);
  if (esito < 33) plat::MsgBox(TestoErroreShell(esito) + QStringLiteral(" on ") + target);
  return true;
}

}  // namespace core

// Opening a document or an address with the desktop's default program.
#pragma once

#include <QString>

namespace core {

// Opens target as it is (kind is always empty).  An empty target gives the
// message "Documentazione non trovata" and false; a failure of the desktop
// is reported by a message and the result is still true.
bool ApriDocumento(const QString& target, const QString& tipo = QString());

// The text of a failure code of the desktop call.
QString TestoErroreShell(int codice);

}  // namespace core

// What the program leaves behind while it works (a temporary folder, a
// half-written report) and its clean-up.  The temporary folders live in one
// folder of the user's own in the system's temporary folder, which nobody
// else may enter; a clean-up removes only real files or folders of the
// user's own whose names the program made, and never goes through a link.
#pragma once

#include <QString>
#include <functional>

namespace plat {

// The program's folder in the system's temporary folder, one per user
// ("Mistrel2013-utente-" and the user's id), made with mode 0700 when
// missing.  It is used only when it is a real folder (not a link), the
// user's own and closed to every other user; else the path is empty and
// errore says what is wrong with it.
QString CartellaTemporaneaPropria(QString* errore);

// The process id in a name the program makes for what it leaves while it
// works: the prefix, the id, "-" and six letters or digits.  0 for any other
// name.
qint64 ProcessoDelNome(const QString& nome, const QString& prefisso);

// Whether a process of that id runs on this machine.
bool ProcessoVivo(qint64 pid);

enum class TipoResto { File, Cartella };

// Removes from the folder the entries of that type which `abbandonato`
// (given the entry's name and how many seconds ago it last changed) calls
// left behind, when each is a real file or folder of the user's own: a link
// is neither followed nor removed, and a folder goes with all it holds
// without following any link in it or leaving its file system.  What cannot
// be removed stays, without a word.
void SpazzaResti(const QString& cartella, TipoResto tipo,
                 const std::function<bool(const QString& nome, qint64 eta_s)>& abbandonato);

}  // namespace plat

// What the program leaves behind while it works (a half-written report) and
// its clean-up.  A clean-up removes only real files of the user's own whose
// names the program makes, and never goes through a link.
#pragma once

#include <QString>
#include <functional>

namespace plat {

// The process id in a name the program makes for what it leaves while it
// works: the prefix, the id, "-" and six letters or digits.  0 for any other
// name.
qint64 ProcessoDelNome(const QString& nome, const QString& prefisso);

// Whether a process of that id runs on this machine.
bool ProcessoVivo(qint64 pid);

// Removes from the folder the files which `abbandonato` (given the file's
// name and how many seconds ago it last changed) calls left behind, when
// each is a real file of the user's own: a link is neither followed nor
// removed, a folder stays.  What cannot be removed stays, without a word.
void SpazzaResti(const QString& cartella,
                 const std::function<bool(const QString& nome, qint64 eta_s)>& abbandonato);

}  // namespace plat

#include "report/pacchetto.h"

#include <QFile>
#include <memory>
#include <zip.h>

namespace rapporto {
namespace {

struct ChiudiZip {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct LiberaSorgente {
  void operator()(zip_source_t* s) const { zip_source_free(s); }
};
struct ChiudiVoce {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

QString Errore(const QString& nome, const QString& perche) {
  return QStringLiteral("The document %1 cannot be read (%2).").arg(nome, perche);
}

bool ComprimereParte(const QString& nome) { return ParteXml(nome); }

// A name that would lead out of the package when unpacked: an absolute
// path, a drive letter, a step up, or the other system's separator.
bool FuoriDalPacchetto(const QString& nome) {
  if (nome.isEmpty() || nome.startsWith(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')) ||
      nome.contains(QChar(0)))
    return true;
  if (nome.size() >= 2 && nome.at(1) == QLatin1Char(':') && nome.at(0).isLetter()) return true;
  for (const QStringView passo : QStringView(nome).split(QLatin1Char('/')))
    if (passo == QLatin1String("..")) return true;
  return false;
}

}  // namespace

Pacchetto Pacchetto::Leggi(const QString& percorso) {
  QFile f(percorso);
  if (!f.open(QIODevice::ReadOnly)) throw ErroreDocumento(Errore(percorso, f.errorString()));
  if (f.size() > kMassimoFile) throw ErroreDocumento(Errore(percorso, QStringLiteral("file too large")));
  return DaDati(f.readAll(), percorso);
}

Pacchetto Pacchetto::DaDati(const QByteArray& dati, const QString& nome, qint64 massimaParte) {
  zip_error_t err;
  zip_error_init(&err);
  std::unique_ptr<zip_source_t, LiberaSorgente> sorgente(
      zip_source_buffer_create(dati.constData(), static_cast<zip_uint64_t>(dati.size()), 0, &err));
  if (!sorgente) {
    const QString perche = QString::fromUtf8(zip_error_strerror(&err));
    zip_error_fini(&err);
    throw ErroreDocumento(Errore(nome, perche));
  }
  zip_t* z = zip_open_from_source(sorgente.get(), ZIP_RDONLY | ZIP_CHECKCONS, &err);
  if (!z) {
    const QString perche = QString::fromUtf8(zip_error_strerror(&err));
    zip_error_fini(&err);
    throw ErroreDocumento(Errore(nome, perche));
  }
  zip_error_fini(&err);
  sorgente.release();  // the archive owns it now
  std::unique_ptr<zip_t, ChiudiZip> archivio(z);

  Pacchetto p;
  const zip_int64_t n = zip_get_num_entries(z, 0);
  qint64 totale = 0;
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_stat_t st;
    if (zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
        !(st.valid & ZIP_STAT_SIZE))
      throw ErroreDocumento(Errore(nome, QStringLiteral("damaged directory")));
    const QString parte = QString::fromUtf8(st.name);
    if (parte.endsWith(QLatin1Char('/'))) continue;  // a folder entry
    if (FuoriDalPacchetto(parte)) continue;
    totale += static_cast<qint64>(st.size);
    if (st.size > static_cast<zip_uint64_t>(massimaParte) || totale > 4 * massimaParte)
      throw ErroreDocumento(Errore(nome, QStringLiteral("part too large")));
    std::unique_ptr<zip_file_t, ChiudiVoce> voce(zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0));
    if (!voce) throw ErroreDocumento(Errore(nome, QString::fromUtf8(zip_strerror(z))));
    QByteArray contenuto(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    zip_uint64_t letti = 0;
    while (letti < st.size) {
      const zip_int64_t r = zip_fread(voce.get(), contenuto.data() + letti, st.size - letti);
      if (r <= 0) break;
      letti += static_cast<zip_uint64_t>(r);
    }
    // A short read or a checksum mismatch shows at the end of the entry.
    char coda;
    if (letti != st.size || zip_fread(voce.get(), &coda, 1) != 0)
      throw ErroreDocumento(Errore(nome, QStringLiteral("damaged part %1").arg(parte)));
    p.parti_[parte] = std::move(contenuto);
  }
  return p;
}

bool ParteXml(const QString& nome) {
  return nome.endsWith(QLatin1String(".xml")) || nome.endsWith(QLatin1String(".rels"));
}

QByteArray Pacchetto::Parte(const QString& parte) const {
  auto it = parti_.find(parte);
  return it == parti_.end() ? QByteArray() : it->second;
}

QByteArray Pacchetto::Comprimi() const {
  zip_error_t err;
  zip_error_init(&err);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &err);
  if (!buffer) throw ErroreDocumento(QStringLiteral("The document cannot be written (out of memory)."));
  std::unique_ptr<zip_source_t, LiberaSorgente> tieni(buffer);
  zip_source_keep(buffer);  // kept past zip_close to read the result back
  zip_t* z = zip_open_from_source(buffer, ZIP_TRUNCATE, &err);
  if (!z) {
    zip_source_free(buffer);
    throw ErroreDocumento(QStringLiteral("The document cannot be written (%1).")
                              .arg(QString::fromUtf8(zip_error_strerror(&err))));
  }
  auto fallito = [&](zip_t* a) {
    const QString perche = QString::fromUtf8(zip_strerror(a));
    zip_discard(a);
    return ErroreDocumento(QStringLiteral("The document cannot be written (%1).").arg(perche));
  };
  // The content types come first, as readers that sniff the archive expect.
  std::vector<const std::pair<const QString, QByteArray>*> ordine;
  for (const auto& kv : parti_)
    if (kv.first == QLatin1String("[Content_Types].xml"))
      ordine.insert(ordine.begin(), &kv);
    else
      ordine.push_back(&kv);
  for (const auto* kv : ordine) {
    zip_source_t* s =
        zip_source_buffer(z, kv->second.constData(), static_cast<zip_uint64_t>(kv->second.size()), 0);
    if (!s) throw fallito(z);
    const zip_int64_t i =
        zip_file_add(z, kv->first.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (i < 0) {
      zip_source_free(s);
      throw fallito(z);
    }
    zip_set_file_compression(z, static_cast<zip_uint64_t>(i),
                             ComprimereParte(kv->first) ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                             ComprimereParte(kv->first) ? 6 : 0);
  }
  if (zip_close(z) != 0) throw fallito(z);

  QByteArray risultato;
  zip_stat_t st;
  if (zip_source_stat(buffer, &st) == 0 && zip_source_open(buffer) == 0) {
    risultato.resize(static_cast<qsizetype>(st.size));
    const zip_int64_t r = zip_source_read(buffer, risultato.data(), st.size);
    zip_source_close(buffer);
    if (r != static_cast<zip_int64_t>(st.size)) risultato.clear();
  }
  if (risultato.isEmpty()) throw ErroreDocumento(QStringLiteral("The document cannot be written."));
  return risultato;
}

}  // namespace rapporto

// Another document's body taken into the report whole.
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <map>

#include "report/documento_interno.h"

namespace rapporto {

// ---- Another document's body ----

void Documento::InserisciDocumento(const QString& percorso) {
  NominandoIlFile(percorso, [&] { Inserisci(percorso); });
}

void Documento::Inserisci(const QString& percorso) {
  const Pacchetto altro = Pacchetto::Leggi(percorso);
  const QString principale = ParteprincipaleDi(altro, percorso);
  if (!altro.Ha(principale))
    throw ErroreDocumento(QStringLiteral("The document %1 has no main part.").arg(percorso));
  NodoXml radice = LeggiXml(altro.Parte(principale), percorso);
  NodoXml* corpo = radice.Figlio(ns::W, QStringLiteral("body"));
  if (!radice.E(ns::W, QStringLiteral("document")) || !corpo)
    throw ErroreDocumento(QStringLiteral("The document %1 has no body.").arg(percorso));
  const std::vector<Relazione> rel = LeggiRelazioni(altro, principale);
  const QString cartella = Cartella(principale);

  // Relations are carried over (pictures copied, links kept); the styles
  // the body names and this document lacks are copied with it.
  std::map<QString, QString> nuoveRel;
  QSet<QString> stili;
  auto traduciRel = [&](const QString& vecchia) -> QString {
    auto giaFatta = nuoveRel.find(vecchia);
    if (giaFatta != nuoveRel.end()) return giaFatta->second;
    QString nuova;
    for (const Relazione& r : rel) {
      if (r.id != vecchia) continue;
      if (r.tipo == kTipoImmagine && !r.esterna) {
        const QString parte = Risolvi(cartella, r.destinazione);
        if (!altro.Ha(parte))
          throw ErroreDocumento(QStringLiteral("The document %1 lacks its picture %2.").arg(percorso, parte));
        nuova = d_->NuovoMedia(altro.Parte(parte), QFileInfo(parte).suffix());
      } else if (r.tipo == kTipoCollegamento && r.esterna) {
        nuova = d_->NuovaRelazione(kTipoCollegamento, r.destinazione, true);
      }
    }
    nuoveRel[vecchia] = nuova;
    return nuova;
  };
  std::vector<NodoXml> blocchi;
  for (NodoXml& b : corpo->figli) {
    if (b.testo || b.E(ns::W, QStringLiteral("sectPr"))) continue;
    b.Visita([&](NodoXml& n) {
      std::vector<AttributoXml> tenuti;
      for (AttributoXml& a : n.attributi) {
        if (a.ns == ns::R) {
          a.valore = traduciRel(a.valore);
          if (a.valore.isEmpty()) continue;  // a relation of a kind not carried over
        }
        tenuti.push_back(a);
      }
      n.attributi = std::move(tenuti);
      if (n.E(ns::WP, QStringLiteral("docPr")))
        n.ImpostaAttributo({}, QStringLiteral("id"), QString::number(d_->prossimoId++));
      if (n.ns == ns::W && (n.nome == QLatin1String("pStyle") || n.nome == QLatin1String("rStyle") ||
                            n.nome == QLatin1String("tblStyle")))
        stili.insert(n.Attributo(ns::W, QStringLiteral("val")));
      // Section breaks and list numbering of the other document stay behind.
      auto& f = n.figli;
      f.erase(std::remove_if(f.begin(), f.end(),
                             [](const NodoXml& c) {
                               return c.E(ns::W, QStringLiteral("sectPr")) ||
                                      c.E(ns::W, QStringLiteral("numPr"));
                             }),
              f.end());
    });
    blocchi.push_back(std::move(b));
  }

  // Styles.
  if (!stili.isEmpty()) {
    QString parteStili, parteStiliAltro;
    for (const Relazione& r : d_->relazioni)
      if (r.tipo.endsWith(QLatin1String("/styles")))
        parteStili = Risolvi(Cartella(d_->partePrincipale), r.destinazione);
    for (const Relazione& r : rel)
      if (r.tipo.endsWith(QLatin1String("/styles"))) parteStiliAltro = Risolvi(cartella, r.destinazione);
    if (!parteStili.isEmpty() && d_->pacchetto.Ha(parteStili) && altro.Ha(parteStiliAltro)) {
      NodoXml nostri = LeggiXml(d_->pacchetto.Parte(parteStili), parteStili);
      const NodoXml loro = LeggiXml(altro.Parte(parteStiliAltro), parteStiliAltro);
      QSet<QString> presenti;
      for (const NodoXml& s : nostri.figli)
        if (s.E(ns::W, QStringLiteral("style")))
          presenti.insert(s.Attributo(ns::W, QStringLiteral("styleId")));
      QStringList daCopiare(stili.begin(), stili.end());
      bool cambiato = false;
      while (!daCopiare.isEmpty()) {
        const QString id = daCopiare.takeFirst();
        if (presenti.contains(id)) continue;
        for (const NodoXml& s : loro.figli) {
          if (!s.E(ns::W, QStringLiteral("style")) || s.Attributo(ns::W, QStringLiteral("styleId")) != id)
            continue;
          nostri.figli.push_back(s);
          presenti.insert(id);
          cambiato = true;
          for (const char* legame : {"basedOn", "next", "link"})
            if (const NodoXml* b = s.Figlio(ns::W, QLatin1String(legame)))
              daCopiare << b->Attributo(ns::W, QStringLiteral("val"));
        }
      }
      if (cambiato) d_->pacchetto.Imposta(parteStili, ScriviXml(nostri));
    }
  }

  // The body goes in before the empty paragraph at the insertion point.
  int dove;
  if (d_->riga >= 0) {
    dove = d_->blocco + 1;
  } else if (d_->Corrente().Vuoto()) {
    dove = d_->blocco;
  } else {
    dove = d_->blocco + 1;
    d_->corpo.insert(d_->corpo.begin() + dove, Blocco(d_->NuovoParagrafoConImpostazioni()));
  }
  const int quanti = static_cast<int>(blocchi.size());
  for (int i = 0; i < quanti; ++i)
    d_->corpo.insert(d_->corpo.begin() + dove + i, Blocco(std::move(blocchi[i])));
  if (d_->riga >= 0) {
    d_->corpo.insert(d_->corpo.begin() + dove + quanti, Blocco(d_->NuovoParagrafoConImpostazioni()));
    d_->blocco = dove + quanti;
    d_->riga = d_->col = -1;
    d_->par = 0;
  } else {
    d_->blocco = dove + quanti;
  }
}

}  // namespace rapporto

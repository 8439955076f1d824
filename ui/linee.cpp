#include "ui/linee.h"

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/testi.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "selection/fdatipec.h"

namespace ui {

sel::FinestraSelezione* FinestraDi(const catalogo::Serie& s, bool facile, bool carica) {
  auto scegli = [carica](auto& istanza) -> sel::FinestraSelezione* {
    return carica ? &istanza() : istanza.SeCaricata();
  };
  if (!s.ec) return s.aria == catalogo::Aria::Singola ? scegli(sel::FDatiP) : scegli(sel::FDatiPXX);
  if (s.aria == catalogo::Aria::Singola) return facile ? scegli(sel::FDatiPEC_VFIX) : scegli(sel::FDatiPEC);
  return facile ? scegli(sel::FDatiPXXEC_VFIX) : scegli(sel::FDatiPXXEC);
}

QString CaptionLinea(const catalogo::Serie& s) {
  const QString linea = QString::fromUtf8(s.linea);
  return s.testoLinea > 0 ? core::Testo(s.testoLinea) + linea : linea;
}

bool CaricaSerie(const std::string& serie, plat::ListaVoci& lista) {
  const catalogo::Serie* s = catalogo::TrovaSerie(serie);
  if (!s) return false;
  catalogo::Catalogo().SerieCorrente = serie;
  return catalogo::CaricaDati(*s, lista, core::imp.FlagDistrict, core::Testo(84).toStdString());
}

void CollegaCatalogo() {
  catalogo::ImpostaDatabase(core::imp.DbProdotti.get());
  // A window whose series is no longer the loaded one reloads it before a
  // run, keeping the user's pick of model.
  sel::FinestraSelezione::ImpostaRicarica([](sel::FinestraSelezione& f) {
    const int scelta = f.cboModel->ListIndex();
    if (CaricaSerie(f.serie.toStdString(), *f.cboModel)) f.cboModel->SetListIndex(scelta);
  });
}

void ApriLinea(catalogo::Codice c, bool facile) {
  if (catalogo::CaricamentoInCorso()) return;
  const catalogo::Serie& d = catalogo::Descrittore(c);
  const QString codice = QString::fromLatin1(d.codice);
  if (sel::FinestraSelezione* aperta = FinestraDi(d, facile, false);
      aperta && !aperta->serie.isEmpty() && aperta->serie != codice) {
    if (aperta->InCalcolo()) return;
    aperta->Scarica();
  }
  core::imp.FlagVFix = facile;
  catalogo::Catalogo().SerieCorrente = d.codice;
  sel::FinestraSelezione& f = *FinestraDi(d, facile, true);
  f.ImpostaCaption(CaptionLinea(d));
  f.Mostra();
  f.serie = codice;
  CaricaSerie(d.codice, *f.cboModel);
}

}  // namespace ui

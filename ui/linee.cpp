#include "ui/linee.h"

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "engine/costanti.h"
#include "selection/unita/contesto.h"
#include "core/testi.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"

namespace ui {
namespace {

QString Fisso(const char* t) { return QString::fromUtf8(t); }

}  // namespace

const LineaProdotto& Definizione(Linea l) {
  static const LineaProdotto tabella[] = {
      {"KALVO", [] () -> sel::FinestraSelezione& { return sel::FDatiP(); }, [] { return Fisso("QZA-E-T"); }, false},
      {"RMB", [] () -> sel::FinestraSelezione& { return sel::FDatiPXX(); }, [] { return Fisso("QZU"); }, false},
      {"DVK", [] () -> sel::FinestraSelezione& { return sel::FDatiPXX(); }, [] { return Fisso("QZG"); }, false},
      {"KALVOP", [] () -> sel::FinestraSelezione& { return sel::FDatiP(); },
       [] { return core::Testo(87) + QStringLiteral("P"); }, false},
      {"KALVOEC", [] () -> sel::FinestraSelezione& { return sel::FDatiPEC(); }, [] { return Fisso("QZO-Y-C"); }, false},
      {"DVKBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC(); }, [] { return Fisso("QZJ"); }, false},
      {"RMBBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC(); }, [] { return Fisso("QZX"); }, false},
      {"KALVOEC", [] () -> sel::FinestraSelezione& { return sel::FDatiPEC_VFIX(); }, [] { return Fisso("QZO-Y-C"); },
       true},
      {"DVKBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC_VFIX(); }, [] { return Fisso("QZJ"); },
       true},
      {"RMBBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC_VFIX(); }, [] { return Fisso("QZX"); },
       true},
  };
  return tabella[static_cast<int>(l)];
}

bool CaricaSerie(const std::string& serie, plat::ListaVoci& lista) {
  using Caricatore = bool (*)(plat::ListaVoci&, bool, const std::string&);
  static const std::pair<const char*, Caricatore> caricatori[] = {
      {"KALVO", catalogo::CaricaDatiKALVO},     {"KALVOP", catalogo::CaricaDatiKALVOP},
      {"RMB", catalogo::CaricaDatiRMB},         {"DVK", catalogo::CaricaDatiDVK},
      {"KALVOEC", catalogo::CaricaDatiKALVOEC}, {"RMBBLDC", catalogo::CaricaDatiRMBBLDC},
      {"DVKBLDC", catalogo::CaricaDatiDVKBLDC}};
  for (const auto& [codice, carica] : caricatori) {
    if (serie != codice) continue;
    catalogo::Catalogo().SerieCorrente = serie;
    return carica(lista, core::imp.FlagDistrict, core::Testo(84).toStdString());
  }
  return false;
}

void CollegaCatalogo() {
  catalogo::ImpostaDatabase(core::imp.DbProdotti.get());
  catalogo::ImpostaCostantiFamiglia([](catalogo::Famiglia f) {
    motore::CostantiBatteria& c = unita::Costanti();
    switch (f) {
      case catalogo::Famiglia::Kalvo: motore::ImpostaCostantiKalvo(c); break;
      case catalogo::Famiglia::Rmb: motore::ImpostaCostantiRmb(c); break;
      case catalogo::Famiglia::Dvk: motore::ImpostaCostantiDvk(c); break;
    }
  });
  // A window whose series is no longer the loaded one reloads it before a
  // run, keeping the user's pick of model.
  sel::FinestraSelezione::ImpostaRicarica([](sel::FinestraSelezione& f) {
    const int scelta = f.cboModel->ListIndex();
    if (CaricaSerie(f.serie.toStdString(), *f.cboModel)) f.cboModel->SetListIndex(scelta);
  });
}

void ApriLinea(Linea l) {
  if (catalogo::CaricamentoInCorso()) return;
  const LineaProdotto& d = Definizione(l);
  core::imp.FlagVFix = d.facile;
  catalogo::Catalogo().SerieCorrente = d.serie;
  unita::Stato().TipoTransizione = 2;
  sel::FinestraSelezione& f = d.finestra();
  f.ImpostaCaption(d.caption());
  f.Mostra();
  f.serie = QString::fromLatin1(d.serie);
  CaricaSerie(d.serie, *f.cboModel);
}

}  // namespace ui

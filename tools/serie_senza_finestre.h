// A fixed-speed series of the product database loaded without any window,
// with the coil constants of its family and the conditions of a standard
// run, for the tools and benchmarks that rate through the unit.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogo.h"
#include "catalogue/descrittore.h"
#include "core/ambiente.h"
#include "engine/costanti.h"
#include "platform/lista_voci.h"
#include "platform/recordset.h"
#include "selection/unita/condizioni.h"
#include "selection/unita/contesto.h"

namespace strumenti {

class SerieSenzaFinestre : public plat::ListaVoci {
 public:
  motore::CostantiBatteria costanti;
  std::vector<std::string> voci;  // the model list: "* All", then one entry per model

  const catalogo::Serie* descrittore = nullptr;

  // Loads a series from cartella/Mistrel2013.mdb (read from a copy), its
  // district-cooling table when district; false when the series cannot be
  // loaded.
  bool Carica(const QString& cartella, const std::string& serie, bool district = false) {
    if (!dir_.isValid()) return false;
    const QString copia = dir_.filePath(QString::fromLatin1(core::kNomeDatabase));
    QFile::remove(copia);
    if (!QFile::copy(cartella + QLatin1Char('/') + QString::fromLatin1(core::kNomeDatabase), copia))
      return false;
    try {
      db_ = plat::Database::Apri(copia.toStdString(), core::kConnectDatabase);
    } catch (const std::exception&) {
      return false;
    }
    catalogo::ImpostaDatabase(db_.get());
    descrittore = catalogo::TrovaSerie(serie);
    if (!descrittore) return false;
    costanti = unita::CostantiFamiglia(descrittore->famiglia);
    catalogo::Catalogo().SerieCorrente = serie;
    return catalogo::CaricaDati(*descrittore, *this, district, "* All");
  }

  // The accessory rows of the loaded series.
  static std::span<const motore::AccessorioDP> Accessori() {
    const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
    return {cat.Accessori.data() + 1, static_cast<std::size_t>(std::clamp<int>(cat.NAcc, 0, 10))};
  }

  // The standard conditions: cooling air 27 °C / 47 %, water 7/12 °C;
  // heating air 20 °C, water 70/60 °C; 0 Pa; sound at 2 m, directivity 2.
  static unita::Condizioni Standard() {
    unita::Condizioni k;
    k.TaRicircolo = {27, 20};
    k.TaRinnovo = {27, 20};
    k.URRicircolo = k.URRinnovo = 47;
    k.Tw1 = {7, 70};
    k.Tw2 = {12, 60};
    k.Distanza = 2;
    k.Direttivita = 2;
    return k;
  }

  void Svuota() override { voci.clear(); }
  void Aggiungi(const std::string& voce) override { voci.push_back(voce); }
  void Seleziona(int) override {}

 private:
  QTemporaryDir dir_;
  std::unique_ptr<plat::Database> db_;
};

}  // namespace strumenti

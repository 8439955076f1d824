#include "report/nodi_xml.h"

#include <QXmlStreamReader>
#include <algorithm>

#include "report/pacchetto.h"

namespace rapporto {

QString NodoXml::Attributo(const QString& n, const QString& nm) const {
  for (const AttributoXml& a : attributi)
    if (a.ns == n && a.nome == nm) return a.valore;
  return QString();
}

void NodoXml::ImpostaAttributo(const QString& n, const QString& nm, const QString& v) {
  for (AttributoXml& a : attributi)
    if (a.ns == n && a.nome == nm) {
      a.valore = v;
      return;
    }
  attributi.push_back({n, nm, v});
}

const NodoXml* NodoXml::Figlio(const QString& n, const QString& nm) const {
  for (const NodoXml& c : figli)
    if (c.E(n, nm)) return &c;
  return nullptr;
}

NodoXml* NodoXml::Figlio(const QString& n, const QString& nm) {
  for (NodoXml& c : figli)
    if (c.E(n, nm)) return &c;
  return nullptr;
}

void NodoXml::Scrivi(QXmlStreamWriter& w) const {
  if (testo) {
    w.writeCharacters(valore);
    return;
  }
  w.writeStartElement(ns, nome);
  for (const AttributoXml& a : attributi) {
    if (a.ns.isEmpty())
      w.writeAttribute(a.nome, a.valore);
    else
      w.writeAttribute(a.ns, a.nome, a.valore);
  }
  for (const NodoXml& c : figli) c.Scrivi(w);
  w.writeEndElement();
}

namespace {
constexpr size_t kProfonditaMassima = 256;
}  // namespace

NodoXml LeggiXml(const QByteArray& dati, const QString& nomeParte) {
  QXmlStreamReader r(dati);
  NodoXml radice;
  std::vector<NodoXml*> pila;
  bool trovata = false;
  while (!r.atEnd()) {
    switch (r.readNext()) {
      case QXmlStreamReader::StartElement: {
        NodoXml n;
        n.ns = r.namespaceUri().toString();
        n.nome = r.name().toString();
        for (const QXmlStreamAttribute& a : r.attributes())
          n.attributi.push_back({a.namespaceUri().toString(), a.name().toString(), a.value().toString()});
        // Documents nest a few levels; a file nesting deeper is not one.
        if (pila.size() >= kProfonditaMassima)
          throw ErroreDocumento(
              QStringLiteral("The part %1 is not valid XML (nested too deep).").arg(nomeParte));
        if (pila.empty()) {
          if (trovata) break;
          radice = std::move(n);
          trovata = true;
          pila.push_back(&radice);
        } else {
          pila.back()->figli.push_back(std::move(n));
          pila.push_back(&pila.back()->figli.back());
        }
        break;
      }
      case QXmlStreamReader::EndElement:
        if (!pila.empty()) pila.pop_back();
        break;
      case QXmlStreamReader::Characters:
        if (!pila.empty() && !r.isWhitespace()) {
          NodoXml t;
          t.testo = true;
          t.valore = r.text().toString();
          pila.back()->figli.push_back(std::move(t));
        } else if (!pila.empty() && pila.back()->E(ns::W, QStringLiteral("t"))) {
          NodoXml t;  // blanks of a text run are its text
          t.testo = true;
          t.valore = r.text().toString();
          pila.back()->figli.push_back(std::move(t));
        }
        break;
      default:
        break;
    }
  }
  if (r.hasError() || !trovata)
    throw ErroreDocumento(QStringLiteral("The part %1 is not valid XML (%2).")
                              .arg(nomeParte, r.hasError() ? r.errorString() : QStringLiteral("empty")));
  return radice;
}

void DichiaraPrefissi(QXmlStreamWriter& w) {
  w.writeNamespace(ns::W, QStringLiteral("w"));
  w.writeNamespace(ns::R, QStringLiteral("r"));
  w.writeNamespace(ns::WP, QStringLiteral("wp"));
  w.writeNamespace(ns::A, QStringLiteral("a"));
  w.writeNamespace(ns::PIC, QStringLiteral("pic"));
}

QByteArray ScriviXml(const NodoXml& radice) {
  QByteArray out;
  QXmlStreamWriter w(&out);
  w.writeStartDocument(QStringLiteral("1.0"), true);
  if (radice.ns == ns::W)
    DichiaraPrefissi(w);
  else
    w.writeDefaultNamespace(radice.ns);
  // The compatibility list names prefixes of the file read, which the
  // rewritten part no longer declares.
  NodoXml copia = radice;
  copia.attributi.erase(
      std::remove_if(copia.attributi.begin(), copia.attributi.end(),
                     [](const AttributoXml& a) {
                       return a.ns ==
                              QLatin1String("http://schemas.openxmlformats.org/markup-compatibility/2006");
                     }),
      copia.attributi.end());
  copia.Scrivi(w);
  w.writeEndDocument();
  return out;
}

}  // namespace rapporto

#include "report/nodi_xml.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cstring>

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

// The attributes of each tag, counted in one pass over the bytes before the
// reader sees them (the reader's own checks of an element's attributes take
// time that grows with the square of their number).  Comments, character
// data, declarations and quoted values are skipped whole.
void ControllaAttributi(const QByteArray& dati, const QString& nomeParte) {
  const char* p = dati.constData();
  const char* const fine = p + dati.size();
  auto salta = [&](const char* chiusura) {
    const QByteArrayView v(p, fine - p);
    const qsizetype i = v.indexOf(QByteArrayView(chiusura));
    p = i < 0 ? fine : p + i + static_cast<qsizetype>(std::strlen(chiusura));
  };
  while (p < fine) {
    if (*p != '<') {
      const void* q = std::memchr(p, '<', static_cast<size_t>(fine - p));
      p = q ? static_cast<const char*>(q) : fine;
      continue;
    }
    const QByteArrayView resto(p, fine - p);
    if (resto.startsWith("<!--")) {
      salta("-->");
    } else if (resto.startsWith("<![CDATA[")) {
      salta("]]>");
    } else if (resto.startsWith("<?")) {
      salta("?>");
    } else if (resto.startsWith("<!")) {
      salta(">");
    } else {
      int attributi = 0;
      for (++p; p < fine && *p != '>'; ++p) {
        if (*p == '"' || *p == '\'') {
          const void* q = std::memchr(p + 1, *p, static_cast<size_t>(fine - p - 1));
          p = q ? static_cast<const char*>(q) : fine - 1;
        } else if (*p == '=' && ++attributi > kMassimiAttributi) {
          throw ErroreDocumento(QStringLiteral("The part %1 is not valid XML (an element with more than %2 "
                                               "attributes).")
                                    .arg(nomeParte)
                                    .arg(kMassimiAttributi));
        }
      }
      if (p < fine) ++p;
    }
  }
}

QString ErroreXml(const QXmlStreamReader& r, const QString& nomeParte) {
  return QStringLiteral("The part %1 is not valid XML (%2).")
      .arg(nomeParte, r.hasError() ? r.errorString() : QStringLiteral("empty"));
}

}  // namespace

QString TestoXml(const QString& testo) {
  QString out;
  bool cambiato = false;
  const qsizetype n = testo.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = testo.at(i).unicode();
    QChar sostituto = QChar(c);
    int quanti = 1;
    if (QChar::isHighSurrogate(c)) {
      if (i + 1 < n && QChar::isLowSurrogate(testo.at(i + 1).unicode()))
        quanti = 2;
      else
        sostituto = QChar::ReplacementCharacter;
    } else if (QChar::isLowSurrogate(c)) {
      sostituto = QChar::ReplacementCharacter;
    } else if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF) {
      quanti = 0;
    }
    if (!cambiato && (quanti == 0 || sostituto.unicode() != c)) {
      out.reserve(n);
      out = testo.left(i);
      cambiato = true;
    }
    if (!cambiato) {
      i += quanti - 1;
      continue;
    }
    if (quanti == 2) {
      out += testo.at(i);
      out += testo.at(++i);
    } else if (quanti == 1) {
      out += sostituto;
    }
  }
  return cambiato ? out : testo;
}

void ControllaXml(const QByteArray& dati, const QString& nomeParte) {
  ControllaAttributi(dati, nomeParte);
  QXmlStreamReader r(dati);
  bool trovata = false;
  while (!r.atEnd())
    if (r.readNext() == QXmlStreamReader::StartElement) trovata = true;
  if (r.hasError() || !trovata) throw ErroreDocumento(ErroreXml(r, nomeParte));
}

NodoXml LeggiXml(const QByteArray& dati, const QString& nomeParte) {
  ControllaAttributi(dati, nomeParte);
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
  if (r.hasError() || !trovata) throw ErroreDocumento(ErroreXml(r, nomeParte));
  return radice;
}

void ControllaScrittura(const QXmlStreamWriter& w, const QString& nomeParte) {
  if (w.hasError())
    throw ErroreDocumento(
        QStringLiteral("The part %1 cannot be written (it holds text XML cannot carry).").arg(nomeParte));
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
  ControllaScrittura(w, radice.nome);
  return out;
}

}  // namespace rapporto

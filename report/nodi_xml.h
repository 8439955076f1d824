// A small tree of XML elements, read with QXmlStreamReader and written with
// QXmlStreamWriter: the parts of a document kept as they are (the template's
// body and section, another document's body, styles).
#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>
#include <vector>

namespace rapporto {

// The namespaces of the word-processing parts.
namespace ns {
inline const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
inline const QString R =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
inline const QString WP =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
inline const QString A = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
inline const QString PIC = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
inline const QString REL = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
inline const QString CT = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
}  // namespace ns

struct AttributoXml {
  QString ns, nome, valore;
};

struct NodoXml {
  bool testo = false;  // a text node: valore holds the text
  QString ns, nome, valore;
  std::vector<AttributoXml> attributi;
  std::vector<NodoXml> figli;

  // The attribute (empty when missing) and its setting.
  QString Attributo(const QString& ns, const QString& nome) const;
  void ImpostaAttributo(const QString& ns, const QString& nome, const QString& valore);
  bool E(const QString& n, const QString& nome) const { return !testo && ns == n && this->nome == nome; }
  // The first child element of that name, or nullptr.
  const NodoXml* Figlio(const QString& ns, const QString& nome) const;
  NodoXml* Figlio(const QString& ns, const QString& nome);
  // Calls f on this element and every element below it.
  template <class F>
  void Visita(F&& f) {
    if (testo) return;
    f(*this);
    for (NodoXml& c : figli) c.Visita(f);
  }

  void Scrivi(QXmlStreamWriter& w) const;
};

// The most attributes (namespace declarations included) one element may
// carry; a part with more is refused.
inline constexpr int kMassimiAttributi = 1000;

// Parses a whole part; throws ErroreDocumento naming the part when it is not
// well-formed XML or passes the limits above.
NodoXml LeggiXml(const QByteArray& dati, const QString& nomeParte);
// The same checks without building the tree.
void ControllaXml(const QByteArray& dati, const QString& nomeParte);

// Text as XML can carry it: a lone half of a surrogate pair becomes the
// replacement character, the characters XML forbids are left out.
QString TestoXml(const QString& testo);

// Writes a whole part with the usual prefixes declared on its root.
QByteArray ScriviXml(const NodoXml& radice);
void DichiaraPrefissi(QXmlStreamWriter& w);
// Throws ErroreDocumento when the writer failed (a part written short).
void ControllaScrittura(const QXmlStreamWriter& w, const QString& nomeParte);

}  // namespace rapporto

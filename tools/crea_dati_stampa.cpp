// Lays out the report's data in the program folder: the letterhead template
// intest.docx, and every file that the report table DocXModello of the
// product database names: product photos (FotoW/), dimension drawings
// (dimensionali/), tender texts (Descrizioni/) and wiring diagrams
// (Schemi/).  The pictures are drawn here; the tender texts are written
// with the report's own document writer.
//
//   crea_dati_stampa <program folder> <product database>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>
#include <map>
#include <set>
#include <sqlite3.h>

#include "report/documento.h"
#include "report/pacchetto.h"

namespace {

using rapporto::Allineamento;
using rapporto::Documento;
using rapporto::Larghezze;

// ---- The letterhead ----

const char* kTipi = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/><Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/><Override PartName="/word/settings.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"/><Override PartName="/word/header1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"/><Override PartName="/word/footer1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"/></Types>)";

const char* kRelPacchetto = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)";

const char* kRelDocumento = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings" Target="settings.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/><Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="footer1.xml"/></Relationships>)";

const char* kDocumento = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><w:body><w:p/><w:sectPr><w:headerReference w:type="default" r:id="rId3"/><w:footerReference w:type="default" r:id="rId4"/><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1701" w:right="1134" w:bottom="1134" w:left="1134" w:header="567" w:footer="567" w:gutter="0"/></w:sectPr></w:body></w:document>)";

const char* kStili = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Arial" w:hAnsi="Arial" w:cs="Arial" w:eastAsia="Arial"/><w:sz w:val="20"/><w:szCs w:val="20"/><w:lang w:val="en-GB"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after="0" w:line="240" w:lineRule="auto"/></w:pPr></w:pPrDefault></w:docDefaults><w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style><w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont"><w:name w:val="Default Paragraph Font"/></w:style><w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style><w:style w:type="paragraph" w:styleId="Header"><w:name w:val="header"/><w:basedOn w:val="Normal"/><w:pPr><w:tabs><w:tab w:val="right" w:pos="9638"/></w:tabs></w:pPr></w:style><w:style w:type="paragraph" w:styleId="Footer"><w:name w:val="footer"/><w:basedOn w:val="Normal"/><w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:sz w:val="16"/></w:rPr></w:style></w:styles>)";

const char* kImpostazioni = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:defaultTabStop w:val="709"/><w:characterSpacingControl w:val="doNotCompress"/><w:compat><w:compatSetting w:name="compatibilityMode" w:uri="http://schemas.microsoft.com/office/word" w:val="15"/></w:compat></w:settings>)";

const char* kIntestazione = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:hdr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:p><w:pPr><w:pStyle w:val="Header"/><w:pBdr><w:bottom w:val="single" w:sz="8" w:space="4" w:color="1F4E79"/></w:pBdr></w:pPr><w:r><w:rPr><w:b/><w:color w:val="1F4E79"/><w:sz w:val="28"/></w:rPr><w:t>Mistrel2013</w:t></w:r><w:r><w:rPr><w:color w:val="1F4E79"/><w:sz w:val="18"/></w:rPr><w:tab/><w:t>Selection of hydronic terminal units</w:t></w:r></w:p></w:hdr>)";

const char* kPiede = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:ftr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:p><w:pPr><w:pStyle w:val="Footer"/></w:pPr><w:r><w:t xml:space="preserve">Page </w:t></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> PAGE </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p></w:ftr>)";

void ScriviCarta(const QString& percorso) {
  rapporto::Pacchetto p;
  p.Imposta(QStringLiteral("[Content_Types].xml"), kTipi);
  p.Imposta(QStringLiteral("_rels/.rels"), kRelPacchetto);
  p.Imposta(QStringLiteral("word/document.xml"), kDocumento);
  p.Imposta(QStringLiteral("word/_rels/document.xml.rels"), kRelDocumento);
  p.Imposta(QStringLiteral("word/styles.xml"), kStili);
  p.Imposta(QStringLiteral("word/settings.xml"), kImpostazioni);
  p.Imposta(QStringLiteral("word/header1.xml"), kIntestazione);
  p.Imposta(QStringLiteral("word/footer1.xml"), kPiede);
  QFile f(percorso);
  if (!f.open(QIODevice::WriteOnly) || f.write(p.Comprimi()) < 0) throw rapporto::ErroreDocumento(percorso);
}

// ---- The series ----

enum class Tipo { FanCoil, Termoventilante, Canalizzabile };

struct Serie {
  Tipo tipo;
  bool ec;
};

Serie SerieDi(const QString& codice) {
  const bool ec = codice.endsWith(QLatin1String("EC")) || codice.endsWith(QLatin1String("BLDC"));
  if (codice.startsWith(QLatin1String("KALVO"))) return {Tipo::FanCoil, ec};
  if (codice.startsWith(QLatin1String("RMB"))) return {Tipo::Termoventilante, ec};
  return {Tipo::Canalizzabile, ec};
}

// The size step of a model code ("RMB 30" -> 30).
int Taglia(const QString& modello) {
  const auto m = QRegularExpression(QStringLiteral("(\\d+)")).match(modello);
  return m.hasMatch() ? m.captured(1).toInt() : 10;
}

// Overall dimensions in mm of a model: width, height, depth.
struct Misure {
  int l, h, p;
};
Misure MisureDi(const QString& serie, const QString& modello) {
  const int k = Taglia(modello) / 10;
  switch (SerieDi(serie).tipo) {
    case Tipo::FanCoil:
      return {640 + 200 * k, 560, 225};
    case Tipo::Termoventilante:
      return {800 + 250 * k, 420 + 30 * k, 700 + 50 * k};
    case Tipo::Canalizzabile:
      return {750 + 250 * k, 300 + 25 * k, 650 + 50 * k};
  }
  return {1000, 500, 500};
}

QImage Tela(int larga, int alta, int dpi) {
  QImage img(larga, alta, QImage::Format_RGB32);
  img.fill(Qt::white);
  img.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
  img.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
  return img;
}

QFont Carattere(int pixel, bool grassetto = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixel);
  f.setBold(grassetto);
  return f;
}

void Salva(const QImage& img, const QString& percorso) {
  if (!img.save(percorso, "PNG")) throw rapporto::ErroreDocumento(percorso);
}

// A product photo: the unit in three-quarter view, shaded.
void DisegnaFoto(const QString& serie, const QString& percorso) {
  QImage img = Tela(480, 360, 96);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sfondo(0, 0, 0, 360);
  sfondo.setColorAt(0, QColor(245, 247, 250));
  sfondo.setColorAt(1, QColor(210, 216, 224));
  p.fillRect(img.rect(), sfondo);
  const Serie s = SerieDi(serie);
  const QRectF fronte = s.tipo == Tipo::FanCoil ? QRectF(70, 90, 300, 190) : QRectF(50, 120, 320, 150);
  const double prof = s.tipo == Tipo::FanCoil ? 40 : 80;
  // Top and side faces.
  QPolygonF sopra({fronte.topLeft(), fronte.topLeft() + QPointF(prof, -prof * 0.6),
                   fronte.topRight() + QPointF(prof, -prof * 0.6), fronte.topRight()});
  QPolygonF lato({fronte.topRight(), fronte.topRight() + QPointF(prof, -prof * 0.6),
                  fronte.bottomRight() + QPointF(prof, -prof * 0.6), fronte.bottomRight()});
  p.setPen(QPen(QColor(90, 96, 105), 1.5));
  p.setBrush(QColor(232, 235, 238));
  p.drawPolygon(sopra);
  p.setBrush(QColor(185, 190, 198));
  p.drawPolygon(lato);
  QLinearGradient faccia(fronte.topLeft(), fronte.bottomLeft());
  faccia.setColorAt(0, QColor(250, 250, 250));
  faccia.setColorAt(1, QColor(215, 219, 224));
  p.setBrush(faccia);
  p.drawRect(fronte);
  // Air outlet grille on the top (fan coil) or the supply spigots.
  p.setPen(QPen(QColor(120, 126, 135), 1));
  if (s.tipo == Tipo::FanCoil) {
    for (int i = 1; i < 14; ++i) {
      const double x = fronte.left() + i * fronte.width() / 14;
      p.drawLine(QPointF(x + 8, fronte.top() - 4), QPointF(x + prof * 0.7, fronte.top() - prof * 0.45));
    }
    p.setBrush(QColor(70, 75, 82));
    p.drawRoundedRect(QRectF(fronte.right() - 70, fronte.top() + 20, 50, 22), 4, 4);  // controls
  } else {
    p.setBrush(QColor(160, 166, 175));
    const int bocche = s.tipo == Tipo::Canalizzabile ? 3 : 2;
    for (int i = 0; i < bocche; ++i) {
      const double x = fronte.left() + (i + 1) * fronte.width() / (bocche + 1);
      p.drawEllipse(QPointF(x, fronte.center().y()), 28, 28);
      p.drawEllipse(QPointF(x, fronte.center().y()), 20, 20);
    }
  }
  if (s.ec) {
    p.setBrush(QColor(0, 122, 94));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(fronte.left() + 12, fronte.bottom() - 34, 48, 22), 4, 4);
    p.setPen(Qt::white);
    p.setFont(Carattere(13, true));
    p.drawText(QRectF(fronte.left() + 12, fronte.bottom() - 34, 48, 22), Qt::AlignCenter,
               QStringLiteral("EC"));
  }
  p.setPen(QColor(31, 78, 121));
  p.setFont(Carattere(22, true));
  p.drawText(QRectF(0, 305, 480, 40), Qt::AlignCenter, serie);
  p.end();
  Salva(img, percorso);
}

void Quota(QPainter& p, QPointF a, QPointF b, const QString& testo, bool verticale) {
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(a, b);
  const QPointF d = verticale ? QPointF(5, 0) : QPointF(0, 5);
  p.drawLine(a - d, a + d);
  p.drawLine(b - d, b + d);
  p.setFont(Carattere(16));
  const QPointF m = (a + b) / 2;
  if (verticale) {
    p.save();
    p.translate(m.x() - 8, m.y());
    p.rotate(-90);
    p.drawText(QRectF(-80, -22, 160, 20), Qt::AlignCenter, testo);
    p.restore();
  } else {
    p.drawText(QRectF(m.x() - 80, m.y() - 24, 160, 20), Qt::AlignCenter, testo);
  }
}

// A dimension drawing: front and side views with the overall sizes in mm.
void DisegnaDimensioni(const QString& serie, const QString& modello, const QString& percorso) {
  QImage img = Tela(1100, 640, 120);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const Misure m = MisureDi(serie, modello);
  // Both views side by side, with the gap between them, inside the picture.
  const double scala = std::min(840.0 / std::max(m.l + m.p, 1), 330.0 / std::max(m.h, 1));
  const QRectF fronte(80, 140, m.l * scala, m.h * scala);
  const QRectF lato(fronte.right() + 140, 140, m.p * scala, m.h * scala);
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(fronte);
  p.drawRect(lato);
  p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
  p.drawRect(fronte.adjusted(20, 20, -20, -20));  // the coil behind the panel
  Quota(p, QPointF(fronte.left(), fronte.top() - 40), QPointF(fronte.right(), fronte.top() - 40),
        QString::number(m.l), false);
  Quota(p, QPointF(fronte.left() - 40, fronte.top()), QPointF(fronte.left() - 40, fronte.bottom()),
        QString::number(m.h), true);
  Quota(p, QPointF(lato.left(), lato.top() - 40), QPointF(lato.right(), lato.top() - 40),
        QString::number(m.p), false);
  // Water connections on the side view.
  p.setPen(QPen(QColor(0, 80, 160), 2));
  for (int i = 0; i < 2; ++i) p.drawEllipse(QPointF(lato.center().x(), lato.top() + 40 + 30 * i), 8, 8);
  p.setPen(Qt::black);
  p.setFont(Carattere(22, true));
  p.drawText(QRectF(0, 20, 1100, 40), Qt::AlignCenter, modello);
  p.setFont(Carattere(15));
  p.drawText(QRectF(0, 560, 1100, 30), Qt::AlignCenter, QStringLiteral("mm  -  ¾\" water connections"));
  p.end();
  Salva(img, percorso);
}

// A wiring diagram: supply, terminal block, fan motor and its control.
void DisegnaSchema(const QString& serie, const QString& percorso) {
  QImage img = Tela(1200, 760, 150);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const Serie s = SerieDi(serie);
  p.setPen(QPen(Qt::black, 2));
  p.setFont(Carattere(20));
  // Terminal block.
  const QStringList morsetti =
      s.ec ? QStringList{"L", "N", "PE", "0-10V", "GND"} : QStringList{"L", "N", "PE", "V1", "V2", "V3"};
  const double x0 = 120, y0 = 140, passo = 70;
  for (int i = 0; i < morsetti.size(); ++i) {
    const QRectF r(x0 + i * passo, y0, 60, 50);
    p.drawRect(r);
    p.drawText(r, Qt::AlignCenter, morsetti[i]);
  }
  p.drawText(QRectF(x0, y0 - 50, 500, 30), Qt::AlignLeft, QStringLiteral("X1"));
  // Fan motor.
  const QPointF motore(860, 420);
  p.drawEllipse(motore, 70, 70);
  p.setFont(Carattere(44, true));
  p.drawText(QRectF(motore.x() - 70, motore.y() - 70, 140, 140), Qt::AlignCenter, QStringLiteral("M"));
  p.setFont(Carattere(18));
  p.drawText(QRectF(motore.x() - 120, motore.y() + 80, 240, 30), Qt::AlignCenter,
             s.ec ? QStringLiteral("EC fan motor") : QStringLiteral("fan motor, 3 speeds"));
  // Wires.
  const int fili = static_cast<int>(morsetti.size());
  for (int i = 0; i < fili; ++i) {
    const double x = x0 + i * passo + 30;
    const double y = 300 + i * 30;
    p.setPen(QPen(i == 2 ? QColor(0, 140, 0) : (i == 1 ? QColor(0, 70, 200) : Qt::black), 2));
    p.drawLine(QPointF(x, y0 + 50), QPointF(x, y));
    p.drawLine(QPointF(x, y), QPointF(motore.x() - 70 - (fili - i) * 6, y));
    p.drawLine(QPointF(motore.x() - 70 - (fili - i) * 6, y), QPointF(motore.x() - 70, motore.y()));
  }
  // Control.
  p.setPen(QPen(Qt::black, 2));
  const QRectF comando(120, 560, 300, 110);
  p.drawRect(comando);
  p.setFont(Carattere(18));
  p.drawText(comando, Qt::AlignCenter,
             s.ec ? QStringLiteral("0-10 V controller\n(by others)")
                  : QStringLiteral("speed switch\nand thermostat"));
  p.setPen(QPen(Qt::black, 2, Qt::DashLine));
  p.drawLine(QPointF(comando.right(), comando.center().y()),
             QPointF(x0 + (fili - 1) * passo + 30, comando.center().y()));
  p.drawLine(QPointF(x0 + (fili - 1) * passo + 30, comando.center().y()),
             QPointF(x0 + (fili - 1) * passo + 30, y0 + 50));
  p.setPen(Qt::black);
  p.setFont(Carattere(24, true));
  p.drawText(QRectF(0, 20, 1200, 40), Qt::AlignCenter, serie + QStringLiteral(" - 230 V / 1 ph / 50 Hz"));
  p.end();
  Salva(img, percorso);
}

// ---- Tender texts ----

struct Testi {
  QString titolo, descrizione, struttura, batteria, ventilatore, comandi, caratteristiche, voce, valore;
  QStringList righe;
};

Testi TestiDi(const QString& serie, bool italiano) {
  const Serie s = SerieDi(serie);
  Testi t;
  const QString nome =
      italiano ? QStringLiteral("Voce di capitolato - ") : QStringLiteral("Tender specification - ");
  t.titolo = nome + serie;
  if (italiano) {
    switch (s.tipo) {
      case Tipo::FanCoil:
        t.descrizione = QStringLiteral(
            "Ventilconvettore per installazione a vista o ad incasso, a parete o a soffitto, "
            "per il riscaldamento e il raffrescamento di ambienti residenziali e terziari.");
        break;
      case Tipo::Termoventilante:
        t.descrizione = QStringLiteral(
            "Unità termoventilante con sezione di miscela dell'aria di ricircolo e di "
            "rinnovo, per il trattamento dell'aria di ambienti di medie dimensioni.");
        break;
      case Tipo::Canalizzabile:
        t.descrizione = QStringLiteral(
            "Unità canalizzabile per installazione in controsoffitto, con ventilatore ad "
            "alta prevalenza per la distribuzione dell'aria in canali.");
        break;
    }
    t.struttura = QStringLiteral(
        "Struttura in lamiera zincata, isolata termicamente e acusticamente; bacinella di "
        "raccolta condensa isolata.");
    t.batteria = QStringLiteral(
        "Batteria di scambio in tubi di rame e alette in alluminio, collettori con valvole di "
        "sfiato; attacchi idraulici femmina.");
    t.ventilatore = s.ec ? QStringLiteral(
                               "Ventilatore centrifugo con motore elettronico EC a magneti permanenti, "
                               "regolazione continua della velocità con segnale 0-10 V.")
                         : QStringLiteral(
                               "Ventilatore centrifugo a doppia aspirazione, motore asincrono monofase a "
                               "più velocità su supporti antivibranti.");
    t.comandi = QStringLiteral(
        "Alimentazione elettrica 230 V / 1 / 50 Hz; morsettiera per il collegamento dei comandi.");
    t.caratteristiche = QStringLiteral("Caratteristiche principali");
    t.voce = QStringLiteral("Voce");
    t.valore = QStringLiteral("Valore");
    t.righe = {QStringLiteral("Alimentazione"),
               QStringLiteral("230 V / 1 / 50 Hz"),
               QStringLiteral("Fluido"),
               QStringLiteral("Acqua o acqua glicolata"),
               QStringLiteral("Pressione massima di esercizio"),
               QStringLiteral("1600 kPa")};
  } else {
    switch (s.tipo) {
      case Tipo::FanCoil:
        t.descrizione = QStringLiteral(
            "Fan coil for exposed or concealed installation, on the wall or the ceiling, "
            "for heating and cooling of residential and commercial rooms.");
        break;
      case Tipo::Termoventilante:
        t.descrizione = QStringLiteral(
            "Thermo-ventilating unit with a mixing section for return and fresh air, for "
            "the air treatment of medium-sized rooms.");
        break;
      case Tipo::Canalizzabile:
        t.descrizione = QStringLiteral(
            "Ducted unit for false-ceiling installation, with a high static pressure fan "
            "for air distribution through ducts.");
        break;
    }
    t.struttura = QStringLiteral(
        "Galvanised steel casing with thermal and acoustic insulation; insulated condensate "
        "drain pan.");
    t.batteria = QStringLiteral(
        "Copper tube and aluminium fin coil, headers with air vents; female water "
        "connections.");
    t.ventilatore = s.ec ? QStringLiteral(
                               "Centrifugal fan with a permanent-magnet EC motor, stepless speed control by "
                               "a 0-10 V signal.")
                         : QStringLiteral(
                               "Double-inlet centrifugal fan, multi-speed single-phase asynchronous motor on "
                               "anti-vibration mounts.");
    t.comandi = QStringLiteral("Power supply 230 V / 1 / 50 Hz; terminal block for the controls.");
    t.caratteristiche = QStringLiteral("Main features");
    t.voce = QStringLiteral("Item");
    t.valore = QStringLiteral("Value");
    t.righe = {QStringLiteral("Power supply"),
               QStringLiteral("230 V / 1 / 50 Hz"),
               QStringLiteral("Fluid"),
               QStringLiteral("Water or glycol-water"),
               QStringLiteral("Maximum working pressure"),
               QStringLiteral("1600 kPa")};
  }
  return t;
}

void ScriviCapitolato(const QString& carta, const QString& serie, bool italiano, const QString& foto,
                      const QString& percorso) {
  const Testi t = TestiDi(serie, italiano);
  Documento d = Documento::DaModello(carta);
  d.ImpostaCarattere(QStringLiteral("Arial"));
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(14);
  d.ScriviTesto(t.titolo);
  d.NuovoParagrafo();
  d.ImpostaGrassetto(false);
  d.ImpostaDimensione(10);
  d.NuovoParagrafo();
  for (const QString& par : {t.descrizione, t.struttura, t.batteria, t.ventilatore, t.comandi}) {
    d.ScriviTesto(par);
    d.NuovoParagrafo();
    d.NuovoParagrafo();
  }
  if (!foto.isEmpty()) {
    d.ImpostaAllineamento(Allineamento::Centro);
    d.InserisciImmagine(foto);
    d.NuovoParagrafo();
    d.ImpostaAllineamento(Allineamento::Sinistra);
    d.NuovoParagrafo();
  }
  d.ImpostaGrassetto(true);
  d.ScriviTesto(t.caratteristiche);
  d.NuovoParagrafo();
  d.ImpostaGrassetto(false);
  const int n = d.AggiungiTabella(1 + static_cast<int>(t.righe.size()) / 2, 2, Larghezze::Adattate);
  d.ScriviTesto(t.voce);
  d.CellaSuccessiva();
  d.ScriviTesto(t.valore);
  for (const QString& c : t.righe) {
    d.CellaSuccessiva();
    d.ScriviTesto(c);
  }
  d.RigaInGrassetto(n, 1);
  d.VaiAllaFine();
  d.Salva(percorso);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: crea_dati_stampa <program folder> <product database>\n");
    return 2;
  }
  const QDir cartella(QString::fromLocal8Bit(argv[1]));
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[2], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "cannot open %s\n", argv[2]);
    return 1;
  }
  struct Riga {
    QString lingua, serie, modello, foto, dimensioni, capitolato, schemi;
  };
  std::vector<Riga> righe;
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db,
                     "select Lingua, Serie, Modello, Foto, Dimensioni, Capitolato, Schemi from DocXModello",
                     -1, &st, nullptr);
  while (st && sqlite3_step(st) == SQLITE_ROW) {
    Riga r;
    QString* campi[] = {&r.lingua, &r.serie, &r.modello, &r.foto, &r.dimensioni, &r.capitolato, &r.schemi};
    for (int i = 0; i < 7; ++i)
      *campi[i] = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
    righe.push_back(r);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);

  try {
    for (const char* sotto : {"FotoW", "dimensionali", "Descrizioni", "Schemi"})
      cartella.mkpath(QLatin1String(sotto));
    const QString carta = cartella.filePath(QStringLiteral("intest.docx"));
    ScriviCarta(carta);
    std::set<QString> fatti;
    auto una = [&](const QString& chiave) { return fatti.insert(chiave).second; };
    for (const Riga& r : righe) {
      const QString foto = cartella.filePath(QStringLiteral("FotoW/") + r.foto);
      if (!r.foto.isEmpty() && una(foto)) DisegnaFoto(r.serie, foto);
      const QString dim = cartella.filePath(QStringLiteral("dimensionali/") + r.dimensioni);
      if (!r.dimensioni.isEmpty() && una(dim)) DisegnaDimensioni(r.serie, r.modello, dim);
      const QString schema = cartella.filePath(QStringLiteral("Schemi/") + r.schemi);
      if (!r.schemi.isEmpty() && una(schema)) DisegnaSchema(r.serie, schema);
    }
    for (const Riga& r : righe) {
      const QString cap = cartella.filePath(QStringLiteral("Descrizioni/") + r.capitolato);
      if (r.capitolato.isEmpty() || !una(cap)) continue;
      ScriviCapitolato(carta, r.serie, r.lingua.startsWith(QLatin1String("ITA")),
                       r.foto.isEmpty() ? QString() : cartella.filePath(QStringLiteral("FotoW/") + r.foto),
                       cap);
    }
  } catch (const rapporto::ErroreDocumento& e) {
    std::fprintf(stderr, "crea_dati_stampa: %s\n", e.what());
    return 1;
  }
  return 0;
}

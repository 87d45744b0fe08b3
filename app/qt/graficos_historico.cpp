// Bars and lines of the history window.
#include "app/qt/graficos_historico.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace nivra {

namespace {

const QColor kVerde(0x2e, 0x9e, 0x44);
const QColor kAzul(0x1f, 0x6f, 0xc5);
const QColor kLaranja(0xe0, 0x7b, 0x00);
const QColor kGrade(0xd8, 0xd8, 0xd8);

QString Dia(int64_t ms, int fusoMinutos) {
  return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, fusoMinutos * 60).toString("dd/MM");
}

// The plotting area inside the widget, leaving room for the labels of the axes and `linhasAcima`
// lines of text above it.
QRectF Area(const QWidget& w, const QFontMetrics& medida, const QString& maiorRotuloY,
            int linhasAcima = 0) {
  const qreal esquerda = medida.horizontalAdvance(maiorRotuloY) + 10;
  const qreal topo = medida.height() * (linhasAcima + 0.5) + 4;
  const qreal base = medida.height() * 2 + 6;
  return QRectF(esquerda, topo, w.width() - esquerda - medida.horizontalAdvance("00/00") / 2.0 - 6,
                w.height() - base - topo);
}

// Horizontal grid lines and their labels, `divisoes` steps from 0 to `maximo`.
void GradeY(QPainter& p, const QRectF& area, double maximo, int divisoes,
            const std::function<QString(double)>& rotulo) {
  const QFontMetrics medida = p.fontMetrics();
  for (int i = 0; i <= divisoes; ++i) {
    const double valor = maximo * i / divisoes;
    const qreal y = area.bottom() - area.height() * i / divisoes;
    p.setPen(kGrade);
    p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    p.setPen(Qt::black);
    const QString texto = rotulo(valor);
    p.drawText(
        QPointF(area.left() - medida.horizontalAdvance(texto) - 5, y + medida.ascent() / 2.0 - 1),
        texto);
  }
}

}  // namespace

TGraficoDisponibilidade::TGraficoDisponibilidade(QWidget* pai) : QWidget(pai) {
  setMinimumHeight(180);
}

void TGraficoDisponibilidade::Definir(std::vector<TDisponibilidadeDia> dias, int fusoMinutos) {
  FDias = std::move(dias);
  FFusoMinutos = fusoMinutos;
  update();
}

void TGraficoDisponibilidade::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics medida = p.fontMetrics();
  const QRectF area = Area(*this, medida, "100%");
  GradeY(p, area, 100, 4, [](double v) { return QString::number(std::lround(v)) + "%"; });
  if (FDias.empty()) return;
  const qreal passo = area.width() / static_cast<qreal>(FDias.size());
  // Every label when they fit, else every second or third.
  const int salto =
      std::max(1, static_cast<int>(std::ceil((medida.horizontalAdvance("00/00") + 6) / passo)));
  for (std::size_t i = 0; i < FDias.size(); ++i) {
    const qreal x = area.left() + passo * static_cast<qreal>(i);
    const TDisponibilidadeDia& dia = FDias[i];
    if (dia.Fracao) {
      const qreal altura = area.height() * *dia.Fracao;
      const QColor cor = *dia.Fracao >= 0.999 ? kVerde : *dia.Fracao >= 0.95 ? kLaranja : Qt::red;
      p.fillRect(QRectF(x + passo * 0.15, area.bottom() - altura, passo * 0.7, altura), cor);
    }
    if (static_cast<int>(i) % salto == 0) {
      p.setPen(Qt::black);
      const QString texto = Dia(dia.InicioMs, FFusoMinutos);
      p.drawText(QPointF(x + (passo - medida.horizontalAdvance(texto)) / 2,
                         area.bottom() + medida.height() + 2),
                 texto);
    }
  }
  p.setPen(Qt::black);
  p.drawLine(area.bottomLeft(), area.bottomRight());
}

TGraficoTempos::TGraficoTempos(QWidget* pai) : QWidget(pai) { setMinimumHeight(180); }

void TGraficoTempos::Definir(std::vector<TPontoTempo> pontos, int64_t inicioMs, int64_t fimMs,
                             int fusoMinutos) {
  FPontos = std::move(pontos);
  FInicioMs = inicioMs;
  FFimMs = std::max(fimMs, inicioMs + 1);
  FFusoMinutos = fusoMinutos;
  update();
}

void TGraficoTempos::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics medida = p.fontMetrics();
  double maximo = 1;
  for (const TPontoTempo& t : FPontos)
    maximo = std::max({maximo, t.TMedSegundos, t.ConsultaSegundos});
  maximo = std::ceil(maximo);
  const QRectF area = Area(*this, medida, QString::number(maximo, 'f', 1) + " s", 1);
  GradeY(p, area, maximo, 4, [](double v) { return QString::number(v, 'f', 1) + " s"; });
  const auto x = [&](int64_t ms) {
    return area.left() + area.width() * static_cast<double>(ms - FInicioMs) /
                             static_cast<double>(FFimMs - FInicioMs);
  };
  const auto y = [&](double s) { return area.bottom() - area.height() * s / maximo; };
  // A date under the axis every few days.
  constexpr int64_t kDia = 86400000;
  p.setPen(Qt::black);
  for (int64_t d = FInicioMs; d <= FFimMs; d += 5 * kDia) {
    const QString texto = Dia(d, FFusoMinutos);
    p.drawText(
        QPointF(x(d) - medida.horizontalAdvance(texto) / 2.0, area.bottom() + medida.height() + 2),
        texto);
  }
  p.drawLine(area.bottomLeft(), area.bottomRight());
  const struct {
    double TPontoTempo::*Campo;
    QColor Cor;
    const char* Nome;
  } linhas[] = {{&TPontoTempo::ConsultaSegundos, kAzul, "consulta (ida e volta)"},
                {&TPontoTempo::TMedSegundos, kLaranja, "tMed informado"}};
  qreal legenda = area.left() + 10;
  for (const auto& linha : linhas) {
    QPainterPath caminho;
    for (std::size_t i = 0; i < FPontos.size(); ++i) {
      const QPointF ponto(x(FPontos[i].InicioMs), y(FPontos[i].*linha.Campo));
      if (i == 0)
        caminho.moveTo(ponto);
      else
        caminho.lineTo(ponto);
    }
    p.setPen(QPen(linha.Cor, 1.5));
    p.drawPath(caminho);
    const qreal meio = medida.height() / 2.0 + 2;
    p.fillRect(QRectF(legenda, meio - 2, 14, 4), linha.Cor);
    p.setPen(Qt::black);
    p.drawText(QPointF(legenda + 18, meio + medida.ascent() / 2.0 - 1), linha.Nome);
    legenda += 18 + medida.horizontalAdvance(linha.Nome) + 20;
  }
}

}  // namespace nivra

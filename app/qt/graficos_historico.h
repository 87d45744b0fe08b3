// The two charts of the history window, drawn with QPainter in logical pixels (sharp at any
// pixel density): availability per day as bars, response times as lines over the period.
#pragma once

#include <QWidget>
#include <vector>

#include "app/historico/analise_historico.h"

namespace nivra {

class TGraficoDisponibilidade : public QWidget {
 public:
  explicit TGraficoDisponibilidade(QWidget* pai = nullptr);
  // The days to draw, with the offset that names them.
  void Definir(std::vector<TDisponibilidadeDia> dias, int fusoMinutos);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  std::vector<TDisponibilidadeDia> FDias;
  int FFusoMinutos = 0;
};

class TGraficoTempos : public QWidget {
 public:
  explicit TGraficoTempos(QWidget* pai = nullptr);
  // The hourly points between inicioMs and fimMs, dates named in the offset.
  void Definir(std::vector<TPontoTempo> pontos, int64_t inicioMs, int64_t fimMs, int fusoMinutos);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  std::vector<TPontoTempo> FPontos;
  int64_t FInicioMs = 0;
  int64_t FFimMs = 1;
  int FFusoMinutos = 0;
};

}  // namespace nivra

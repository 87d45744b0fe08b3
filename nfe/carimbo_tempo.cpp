// Time stamps of saved file names.
#include "nfe/carimbo_tempo.h"

#include <cstdio>

std::string CarimboDeTempo(TDateTime Valor) {
  const TCamposDataHora c = DecodificarDataHora(Valor);
  char texto[32];
  std::snprintf(texto, sizeof texto, "%04d%02d%02d%02d%02d%02d", c.Ano, c.Mes, c.Dia, c.Hora,
                c.Minuto, c.Segundo);
  return texto;
}

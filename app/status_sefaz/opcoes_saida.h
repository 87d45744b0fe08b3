// The output options of status-sefaz: the format (text, JSON, Prometheus, Nagios), the file
// written instead of standard output, and the history the answers are recorded in.
#pragma once

#include <string>

#include "app/linha_comando/argumentos.h"

namespace nivra {

enum class TFormatoStatus { Texto, Json, Prometheus, Nagios };

struct TOpcoesSaida {
  TFormatoStatus Formato = TFormatoStatus::Texto;
  // --saida: the output replaces this file as a whole; empty for standard output.
  std::string Arquivo;
  // --historico: the SQLite history the answers are added to; empty for none.
  std::string ArquivoHistorico;
};

// Reads `opcao` when it is --formato, --saida or --historico. Returns false, consuming nothing,
// for any other option. Throws EOpcaoInvalida for a missing or bad value.
[[nodiscard]] bool LerOpcaoSaida(TLeitorArgumentos& leitor, const std::string& opcao,
                                 TOpcoesSaida& saida, bool& formatoDado);

// Merges --json (`json`) into the format once the whole line is read. Throws EOpcaoInvalida
// when --json comes with another --formato.
void AplicarJson(TOpcoesSaida& saida, bool formatoDado, bool json);

}  // namespace nivra

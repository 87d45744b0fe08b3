// The command line of documento-nfe: the action, the document's file and the shared options
// (certificate, schema folder, output form).
#pragma once

#include <string>
#include <vector>

#include "app/linha_comando/argumentos.h"
#include "app/linha_comando/opcoes_conexao.h"

// gerar: JSON to signed XML; json: XML to JSON; validar: alerts, signature and schema.
enum class TAcaoDocumento { Gerar, Json, Validar, Ajuda, Versao };

struct TOpcoesDocumento : TOpcoesConexao {
  TAcaoDocumento Acao = TAcaoDocumento::Gerar;
  // The document read: the JSON of gerar, the XML of json and validar.
  std::string Arquivo;
  // gerar: where the XML goes (-o); empty for standard output.
  std::string Saida;
};

// Reads the arguments (without the program name). Throws EOpcaoInvalida on a missing or
// unknown action, a missing file, an unknown option or one the action does not take.
[[nodiscard]] TOpcoesDocumento LerOpcoesDocumento(const std::vector<std::string>& argumentos);

// The text of --help.
[[nodiscard]] std::string TextoAjudaDocumento();

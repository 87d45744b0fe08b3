// The command line of status-sefaz: what to do, which authoriser to ask and with which
// certificate.
#pragma once

#include <string>
#include <vector>

#include "app/linha_comando/argumentos.h"
#include "app/linha_comando/opcoes_conexao.h"
#include "app/status_sefaz/opcoes_saida.h"

namespace nivra {

// What the command line asks for.
enum class TAcaoStatus {
  Consultar,
  ListarCertificados,
  ImportarCertificado,
  ProtegerCertificados,
  RemoverCertificado,
  Ajuda,
  Versao
};

// The shared options (authoriser, certificate, files, output) and those of status-sefaz.
struct TOpcoesStatus : TOpcoesConexao {
  TAcaoStatus Acao = TAcaoStatus::Consultar;
  // --todas: every authoriser of the environment and model, instead of the UF's.
  bool Todas = false;
  // The PKCS#12 file of --importar-certificado.
  std::string ArquivoImportar;
  // --formato, --saida, --historico (--json sets the format too).
  TOpcoesSaida Saida;
  // --exigir-chaveiro: an import refuses to write an entry the keyring does not protect.
  bool ExigirChaveiro = false;
  // The serial number of --remover-certificado.
  std::string SerieRemover;
};

// Reads the arguments (without the program name). Accepts "--opcao valor" and "--opcao=valor".
// Throws EOpcaoInvalida on an unknown option, a missing or bad value, or conflicting options.
[[nodiscard]] TOpcoesStatus LerOpcoes(const std::vector<std::string>& argumentos);

// The text of --help.
[[nodiscard]] std::string TextoAjuda();

}  // namespace nivra

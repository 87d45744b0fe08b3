// The command line of status-sefaz: what to do, which authoriser to ask and with which
// certificate.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "util/enumeracoes.h"

// What the command line asks for.
enum class TAcaoStatus { Consultar, ListarCertificados, ImportarCertificado, Ajuda, Versao };

struct TOpcoesStatus {
  TAcaoStatus Acao = TAcaoStatus::Consultar;
  std::string UF = "PR";
  TkovTipoAmbiente Ambiente = TkovTipoAmbiente::taProducao;
  // teNormal, or the contingency authoriser (teSVCAN, teSVCRS) asked for.
  TkovTipoEmissao FormaEmissao = TkovTipoEmissao::teNormal;
  TkovModeloDF Modelo = TkovModeloDF::moNFe;
  // The certificate: a serial number of the store, or a PKCS#12 file.
  std::string NumeroSerie;
  std::string ArquivoPFX;
  // Replacement services table, schema folder and archive folder; empty for the defaults
  // (embedded table, installed schemas, nothing archived).
  std::string ArquivoServicos;
  std::string PastaSchemas;
  std::string PastaSalvar;
  int TimeOut = 10000;
  // Verify the authoriser's certificate chain and host name, against the PEM bundle ArquivoCA
  // when one is named, else the system's authorities.
  bool VerificarServidor = false;
  std::string ArquivoCA;
  bool Json = false;
  // --todas: every authoriser of the environment and model, instead of the UF's.
  bool Todas = false;
  // The PKCS#12 file of --importar-certificado.
  std::string ArquivoImportar;
};

// A command line that cannot be followed; the message says why, in Portuguese.
class EOpcaoInvalida : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Reads the arguments (without the program name). Accepts "--opcao valor" and "--opcao=valor".
// Throws EOpcaoInvalida on an unknown option, a missing or bad value, or conflicting options.
[[nodiscard]] TOpcoesStatus LerOpcoes(const std::vector<std::string>& argumentos);

// The text of --help.
[[nodiscard]] std::string TextoAjuda();

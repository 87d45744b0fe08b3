// Command line of sefaz-simulador: the options, their reading and the help text.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace nivra {

// The SOAP envelope an answer is wrapped in, as different authorisers write it.
enum class TEstiloEnvelope {
  soap,     // <soap:Envelope> with the XML declaration (the default)
  soapenv,  // <soapenv:Envelope> with an empty <soapenv:Header/>
  env,      // <env:Envelope>, single-quoted attributes, no XML declaration
  S         // <S:Envelope> with a single-quoted declaration
};

// A canned failure answered instead of the status answer.
enum class TFalhaSimulada {
  nenhuma,
  iis403,     // IIS "403 - Forbidden: Access is denied." HTML page
  apache403,  // Apache 403 page in ISO-8859-1
  vazio400,   // 400 with an empty body
  soap500     // 500, chunked SOAP 1.2 fault with a blank reason text
};

// Everything the command line sets. Defaults as documented in TextoAjuda().
struct TOpcoesSimulador {
  int Porta = 0;
  std::string Certificado;
  std::string Chave;
  std::string CAClientes;
  std::vector<int> Cenario{107};
  std::vector<int> Recibo{104};        // the answers to consReciNFe, in turn
  bool SempreRecibo = false;           // a synchronous lot is answered 103 with a receipt too
  std::vector<int> Inutilizacao{102};  // the answers to inutNFe, in turn
  std::string Resposta;
  int HttpStatus = 0;  // 0: the status of the answer itself (200, or that of the failure)
  int AtrasoMs = 0;
  std::string Registro;
  int TMed = 1;
  TEstiloEnvelope Envelope = TEstiloEnvelope::soap;
  bool Latin1 = false;
  bool Chunked = false;
  bool FecharConexao = false;
  bool Continue100 = false;
  TFalhaSimulada Falha = TFalhaSimulada::nenhuma;
  bool Renegociar = false;
  bool DH1024 = false;
  bool RecusarHTTP2 = false;
  int GotejarMs = 0;    // > 0: the body goes out one byte at a time, this many ms apart
  bool SemFim = false;  // the body never ends: filler follows it until the client leaves
  bool Ajuda = false;
  bool Versao = false;
};

// A bad command line; what() is the Portuguese message for the user.
class EOpcaoInvalida : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The options of argv[1..argc-1]. Throws EOpcaoInvalida for an unknown option, a missing or
// malformed value, or a missing --cert, --chave or --ca-clientes (unless --help or --version
// was given).
[[nodiscard]] TOpcoesSimulador LerOpcoes(int argc, const char* const* argv);

// The text printed by --help.
[[nodiscard]] const char* TextoAjuda();

// The program's version text, printed by --version.
[[nodiscard]] const char* TextoVersao();

}  // namespace nivra

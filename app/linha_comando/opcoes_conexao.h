// The options every command-line program shares: the authoriser's UF and environment, the
// certificate, the component's files, the time-out, the server check and the output form.
#pragma once

#include <string>

#include "app/linha_comando/argumentos.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

struct TOpcoesConexao {
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
};

// Reads `opcao` when it is one of the shared ones (--uf, --ambiente, --certificado, --pfx,
// --servicos, --schemas, --salvar, --timeout, --verificar-servidor, --ca, --json), taking its
// value from `leitor`. Returns false, consuming nothing, for any other option. Throws
// EOpcaoInvalida for a missing or bad value.
[[nodiscard]] bool LerOpcaoConexao(TLeitorArgumentos& leitor, const std::string& opcao,
                                   TOpcoesConexao& opcoes);

// Checks the shared options once the whole line is read: --ca only with --verificar-servidor,
// not both --certificado and --pfx, and, when `exigirCertificado`, one of them. Throws
// EOpcaoInvalida saying which.
void ValidarOpcoesConexao(const TOpcoesConexao& opcoes, bool exigirCertificado);

// The password of the PKCS#12 file, or the PIN of the token, as LerSenha finds it, asked with
// the question that fits the certificate chosen.
[[nodiscard]] std::string SenhaDoCertificado(const TOpcoesConexao& opcoes);

}  // namespace nivra

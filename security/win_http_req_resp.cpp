// The WinHTTP-style exchange over libcurl.
#include "nivranfe/security/win_http_req_resp.h"

#include "nivranfe/security/cabecalhos_http.h"
#include "nivranfe/security/erros_http.h"
#include "nivranfe/security/proxy_http.h"
#include "nivranfe/security/requisicao_curl.h"
#include "nivranfe/security/url_partes.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

// The message prefix of the step at which an exchange failed.
const char* PrefixoDaFase(TFaseRequisicao fase) {
  switch (fase) {
    case TFaseRequisicao::Conexao:
      return "Falha ao conectar no Host. Erro:";
    case TFaseRequisicao::EnvioRequisicao:
      return "Falha no Envio da Requisição.\r\n";
    case TFaseRequisicao::EnvioDados:
      return "Falha Enviando Dados. Erro:";
    case TFaseRequisicao::Recebimento:
      return "Falha Recebendo Dados. Erro:";
    case TFaseRequisicao::Leitura:
      break;
  }
  return "Falha Lendo dados. Erro:";
}

}  // namespace

void TNivraWinHTTPReqResp::Execute(std::string& Resp) {
  const TURLPartes url = DividirURL(Url());
  const bool seguro = URLSegura(url);
  const bool usarCertificado = seguro && CertContext() != nullptr;

  // Without a proxy of its own the request goes through the system's, which stays in
  // ProxyHost; the hosts the system excludes from it are reached directly.
  std::string semProxy;
  if (ProxyHost().empty()) {
    const TProxyAmbiente ambiente = ProxyDoAmbiente();
    SetProxyHost(ambiente.Proxy);
    semProxy = ambiente.SemProxy;
  }
  const std::string proxy = ProxyHost().empty() ? "" : NomeProxy(ProxyHost(), ProxyPort());

  // Each step: on failure, record its number and throw the step's message.
  auto passo = [this](uint32_t codigo, const char* prefixo) {
    if (codigo != 0) Falhar(codigo, prefixo + ErrorText(codigo));
  };
  TRequisicaoCurl requisicao;
  if (!requisicao.Aberta())
    passo(CodigoErroHTTP(CURLE_FAILED_INIT), "Falha abrindo HTTP ou Proxy. Erro:");
  passo(requisicao.DefinirProxy(proxy, ProxyUser(), ProxyPass(), semProxy),
        "Falha abrindo HTTP ou Proxy. Erro:");
  if (TimeOut() > 0) passo(requisicao.DefinirTimeOut(TimeOut()), "Falha ajustando Timeouts. Erro:");
  if (seguro) {
    passo(requisicao.DefinirVersaoTLS(SSLType()),
          "Falha ajustando WINHTTP_OPTION_SECURE_PROTOCOLS. Erro:");
  }
  passo(requisicao.DefinirDestino(seguro, url.Host, PortaDaURL(url), url.Caminho, Agente),
        "Falha ao conectar no Host. Erro:");
  passo(requisicao.DefinirTLS(usarCertificado ? CertContext() : nullptr, VerificarServidor(),
                              ArquivoCA()),
        usarCertificado ? "Falha ajustando WINHTTP_OPTION_CLIENT_CERT_CONTEXT. Erro:"
                        : "Falha ajustando WINHTTP_OPTION_SECURITY_FLAGS. Erro:");
  passo(
      requisicao.DefinirCabecalhos(CabecalhosRequisicao(url, MimeType(), Charsets(), SOAPAction())),
      "Falha ao fazer requisição POST. Erro:");

  const uint32_t codigo = requisicao.Enviar(CorpoParaEnvio(), Resp);
  CaptureErrorCodes(codigo, requisicao.StatusHTTP());
  if (codigo == 0) return;
  // A partial answer is no answer.
  Resp.clear();
  throw ENivraWinReqResp(PrefixoDaFase(requisicao.Fase()) + ErrorText(codigo));
}

}  // namespace nivra

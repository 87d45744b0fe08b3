// The WinINet-style exchange over libcurl.
#include "nivranfe/security/win_inet_req_resp.h"

#include "nivranfe/security/cabecalhos_http.h"
#include "nivranfe/security/erros_http.h"
#include "nivranfe/security/proxy_http.h"
#include "nivranfe/security/requisicao_curl.h"
#include "nivranfe/security/url_partes.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

void TNivraWinINetReqResp::Execute(std::string& Resp) {
  const TURLPartes url = DividirURL(Url());
  const bool seguro = URLSegura(url);
  const bool usarCertificado = seguro && CertContext() != nullptr;

  // The system proxy is used when none is set, without being stored.
  TProxyAmbiente proxy{ProxyHost().empty() ? "" : NomeProxy(ProxyHost(), ProxyPort()), ""};
  if (ProxyHost().empty()) proxy = ProxyDoAmbiente();
  // Blank credentials are not presented.
  const std::string usuario = Aparar(ProxyUser()).empty() ? "" : ProxyUser();
  const std::string senha = Aparar(ProxyPass()).empty() ? "" : ProxyPass();

  auto passo = [this](uint32_t codigo, const std::string& mensagem) {
    if (codigo != 0) Falhar(codigo, mensagem);
  };
  TRequisicaoCurl requisicao;
  if (!requisicao.Aberta())
    passo(CodigoErroHTTP(CURLE_FAILED_INIT), "Erro: Internet Open or Proxy");
  passo(requisicao.DefinirProxy(proxy.Proxy, usuario, senha, proxy.SemProxy),
        "Erro: Internet Open or Proxy");
  if (TimeOut() > 0)
    passo(requisicao.DefinirTimeOut(TimeOut()), "Erro ao definir TimeOut de Conexão");
  passo(requisicao.DefinirDestino(seguro, url.Host, PortaDaURL(url), url.Caminho, Agente),
        "Erro: Internet Connect or Host");
  const uint32_t tls = requisicao.DefinirTLS(usarCertificado ? CertContext() : nullptr,
                                             VerificarServidor(), ArquivoCA());
  if (usarCertificado) passo(tls, "Erro: Problema ao inserir o certificado");
  passo(tls, "InternetQueryOption erro ao ajustar INTERNET_OPTION_SECURITY_FLAGS" + ErrorText(tls));
  passo(
      requisicao.DefinirCabecalhos(CabecalhosRequisicao(url, MimeType(), Charsets(), SOAPAction())),
      "Erro: Open Request");

  const uint32_t codigo = requisicao.Enviar(CorpoParaEnvio(), Resp);
  CaptureErrorCodes(codigo, requisicao.StatusHTTP());
  // An empty answer is no answer, unless its status (a proxy's refusal) tells what happened.
  if (codigo == 0 && (!Resp.empty() || requisicao.StatusHTTP() / 100 != 2)) return;
  Resp.clear();
  throw ENivraWinReqResp("Erro: Requisição não enviada.\r\n" + ErrorText(InternalErrorCode()));
}

}  // namespace nivra

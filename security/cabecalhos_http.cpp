// The request's connection port and header lines, built from the URL parts and the settings.
#include "nivranfe/security/cabecalhos_http.h"

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

bool URLSegura(const TURLPartes& url) { return Maiusculas(url.Protocolo) == "HTTPS"; }

int PortaDaURL(const TURLPartes& url) {
  if (url.Porta.empty()) return URLSegura(url) ? 443 : 80;
  // At most five digits, so the value cannot overflow before the range check.
  if (!TextoSoDeDigitos(url.Porta) || url.Porta.size() > 5)
    throw ENivraWinReqResp("Porta inválida na URL: " + url.Porta);
  const int porta = std::stoi(url.Porta);
  if (porta < 1 || porta > 65535) throw ENivraWinReqResp("Porta inválida na URL: " + url.Porta);
  return porta;
}

std::string ValorHost(const TURLPartes& url) {
  std::string valor = url.Host.find(':') == std::string::npos ? url.Host : "[" + url.Host + "]";
  const char* padrao = URLSegura(url) ? "443" : "80";
  if (!url.Porta.empty() && url.Porta != padrao) valor += ":" + url.Porta;
  return valor;
}

std::vector<std::string> CabecalhosRequisicao(const TURLPartes& url, const std::string& MimeType,
                                              const std::string& Charsets,
                                              const std::string& SOAPAction) {
  std::vector<std::string> linhas = {
      "Host: " + ValorHost(url),
      "Content-Type: " + MimeType + "; charset=" + Charsets,
      "Accept-Charset: " + Charsets,
  };
  if (!SOAPAction.empty()) linhas.push_back("SOAPAction: \"" + SOAPAction + "\"");
  return linhas;
}

}  // namespace nivra

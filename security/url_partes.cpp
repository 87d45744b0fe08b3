// The URL split: protocol, credentials, host (IPv6 literals in brackets), port, path and query.
#include "nivranfe/security/url_partes.h"

#include "nivranfe/util/texto.h"

namespace nivra {

TURLPartes DividirURL(std::string_view url) {
  TURLPartes partes;
  partes.Protocolo = "http";
  std::string_view resto = url;
  if (const auto separador = resto.find("://"); separador != std::string_view::npos) {
    partes.Protocolo = std::string(resto.substr(0, separador));
    resto.remove_prefix(separador + 3);
  }
  resto = resto.substr(0, resto.find('#'));

  const std::string protocolo = Maiusculas(partes.Protocolo);
  partes.Porta = protocolo == "HTTPS" ? "443" : protocolo == "FTP" ? "21" : "80";

  // The authority ends where the path or the query begins; credentials end at its last "@".
  const auto fimAutoridade = resto.find_first_of("/?");
  std::string_view autoridade = resto.substr(0, fimAutoridade);
  std::string_view caminho =
      fimAutoridade == std::string_view::npos ? std::string_view() : resto.substr(fimAutoridade);
  if (const auto arroba = autoridade.rfind('@'); arroba != std::string_view::npos) {
    const std::string_view credenciais = autoridade.substr(0, arroba);
    const auto doisPontos = credenciais.find(':');
    partes.Usuario = std::string(credenciais.substr(0, doisPontos));
    if (doisPontos != std::string_view::npos)
      partes.Senha = std::string(credenciais.substr(doisPontos + 1));
    autoridade.remove_prefix(arroba + 1);
  }

  std::string_view porta;
  bool temPorta = false;
  if (autoridade.starts_with('[')) {
    const auto fecha = autoridade.find(']');
    partes.Host =
        std::string(autoridade.substr(1, fecha == std::string_view::npos ? fecha : fecha - 1));
    if (fecha != std::string_view::npos && autoridade.substr(fecha + 1).starts_with(':')) {
      porta = autoridade.substr(fecha + 2);
      temPorta = true;
    }
  } else {
    const auto doisPontos = autoridade.find(':');
    partes.Host = std::string(autoridade.substr(0, doisPontos));
    if (doisPontos != std::string_view::npos) {
      porta = autoridade.substr(doisPontos + 1);
      temPorta = true;
    }
  }
  if (temPorta) partes.Porta = std::string(porta);
  if (partes.Host.empty()) partes.Host = "localhost";

  if (caminho.starts_with('/')) caminho.remove_prefix(1);
  const auto interrogacao = caminho.find('?');
  partes.Caminho = "/" + std::string(caminho.substr(0, interrogacao));
  if (interrogacao != std::string_view::npos)
    partes.Parametros = std::string(caminho.substr(interrogacao + 1));
  return partes;
}

}  // namespace nivra

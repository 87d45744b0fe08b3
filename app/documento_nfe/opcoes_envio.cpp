// The options of documento-nfe's printing and e-mail.
#include <charconv>
#include <map>

#include "app/documento_nfe/opcoes.h"

namespace nivra {

bool LerOpcaoImpressao(TLeitorArgumentos& leitor, const std::string& opcao,
                       TOpcoesImpressao& opcoes) {
  if (opcao == "--paisagem") {
    leitor.SemValor(opcao);
    opcoes.Paisagem = true;
  } else if (opcao == "--cancelada") {
    leitor.SemValor(opcao);
    opcoes.Cancelada = true;
  } else if (opcao == "--logo") {
    opcoes.Logo = leitor.Valor(opcao);
  } else if (opcao == "--bobina") {
    opcoes.Bobina = Escolha<double>(opcao, leitor.Valor(opcao), {{"80", 80}, {"58", 58}});
  } else {
    return false;
  }
  return true;
}

bool LerOpcaoEmail(TLeitorArgumentos& leitor, const std::string& opcao, TOpcoesEmail& opcoes) {
  if (opcao == "--para") {
    opcoes.Para.push_back(leitor.Valor(opcao));
  } else if (opcao == "--cc") {
    opcoes.Copias.push_back(leitor.Valor(opcao));
  } else if (opcao == "--assunto") {
    opcoes.Assunto = leitor.Valor(opcao);
  } else if (opcao == "--mensagem") {
    opcoes.Mensagem = leitor.Valor(opcao);
  } else if (opcao == "--sem-danfe") {
    leitor.SemValor(opcao);
    opcoes.SemDANFE = true;
  } else if (opcao == "--config") {
    opcoes.Configuracao = leitor.Valor(opcao);
  } else if (opcao == "--servidor") {
    opcoes.Servidor = LerServidorSMTP(leitor.Valor(opcao));
  } else if (opcao == "--usuario") {
    opcoes.Usuario = leitor.Valor(opcao);
  } else if (opcao == "--de") {
    opcoes.De = leitor.Valor(opcao);
  } else if (opcao == "--ca") {
    opcoes.ArquivoCA = leitor.Valor(opcao);
  } else {
    return false;
  }
  return true;
}

TServidorSMTP LerServidorSMTP(const std::string& url) {
  TServidorSMTP servidor;
  std::string resto;
  if (url.starts_with("smtps://")) {
    servidor.SSL = true;
    resto = url.substr(8);
  } else if (url.starts_with("smtp://")) {
    resto = url.substr(7);
  } else {
    throw EOpcaoInvalida("servidor de e-mail inválido: \"" + url +
                         "\" (use smtp://HOST[:PORTA] ou smtps://HOST[:PORTA])");
  }
  if (!resto.empty() && resto.back() == '/') resto.pop_back();
  if (const size_t doisPontos = resto.rfind(':'); doisPontos != std::string::npos) {
    const std::string porta = resto.substr(doisPontos + 1);
    const auto [fim, erro] =
        std::from_chars(porta.data(), porta.data() + porta.size(), servidor.Porta);
    if (erro != std::errc() || fim != porta.data() + porta.size() || servidor.Porta < 1 ||
        servidor.Porta > 65535)
      throw EOpcaoInvalida("porta inválida no servidor de e-mail: \"" + url + "\"");
    resto.resize(doisPontos);
  }
  if (resto.empty() || resto.find_first_of("/@ ") != std::string::npos)
    throw EOpcaoInvalida("servidor de e-mail sem nome válido: \"" + url + "\"");
  servidor.Host = resto;
  return servidor;
}

}  // namespace nivra

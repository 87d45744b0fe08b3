// Walking a command line.
#include "app/linha_comando/argumentos.h"

#include <charconv>
#include <utility>

namespace nivra {

std::string TLeitorArgumentos::ProximaOpcao() {
  std::string argumento = FArgumentos[FPosicao++];
  FValorEmLinha.reset();
  if (!argumento.starts_with("--")) throw EOpcaoInvalida("argumento inesperado: " + argumento);
  if (auto igual = argumento.find('='); igual != std::string::npos) {
    FValorEmLinha = argumento.substr(igual + 1);
    argumento.resize(igual);
  }
  return argumento;
}

std::string TLeitorArgumentos::Valor(const std::string& opcao) {
  if (FValorEmLinha) return *std::exchange(FValorEmLinha, std::nullopt);
  if (Fim() || FArgumentos[FPosicao].starts_with("--"))
    throw EOpcaoInvalida("a opção " + opcao + " precisa de um valor");
  return FArgumentos[FPosicao++];
}

void TLeitorArgumentos::SemValor(const std::string& opcao) const {
  if (FValorEmLinha) throw EOpcaoInvalida("a opção " + opcao + " não aceita valor");
}

int Milissegundos(const std::string& opcao, const std::string& valor) {
  int numero = 0;
  const auto [fim, erro] = std::from_chars(valor.data(), valor.data() + valor.size(), numero);
  if (erro != std::errc() || fim != valor.data() + valor.size() || numero <= 0)
    throw EOpcaoInvalida("valor inválido para " + opcao + ": \"" + valor +
                         "\" (milissegundos, número inteiro positivo)");
  return numero;
}

std::optional<TPedidoInformativo> PedidoInformativo(const std::vector<std::string>& argumentos) {
  for (const std::string& argumento : argumentos) {
    if (argumento == "--help" || argumento == "--ajuda") return TPedidoInformativo::Ajuda;
    if (argumento == "--version" || argumento == "--versao") return TPedidoInformativo::Versao;
  }
  return std::nullopt;
}

}  // namespace nivra

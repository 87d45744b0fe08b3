// Reading a command line of "--opcao valor" and "--opcao=valor" pairs, shared by the
// command-line programs.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace nivra {

// A command line that cannot be followed; the message says why, in Portuguese.
class EOpcaoInvalida : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Walks the arguments (without the program name) one option at a time. Holds a reference to
// `argumentos`, which must outlive it.
class TLeitorArgumentos {
 public:
  explicit TLeitorArgumentos(const std::vector<std::string>& argumentos)
      : FArgumentos(argumentos) {}

  [[nodiscard]] bool Fim() const { return FPosicao >= FArgumentos.size(); }

  // The next option name, without an inline "=valor", which is kept for Valor(). Throws
  // EOpcaoInvalida "argumento inesperado: ..." for an argument that is no option.
  [[nodiscard]] std::string ProximaOpcao();

  // The value of `opcao`: its inline value, else the next argument. Throws EOpcaoInvalida when
  // there is none (the end of the line, or another option).
  [[nodiscard]] std::string Valor(const std::string& opcao);

  // Throws EOpcaoInvalida when an option that takes no value was given one inline.
  void SemValor(const std::string& opcao) const;

 private:
  const std::vector<std::string>& FArgumentos;
  std::size_t FPosicao = 0;
  std::optional<std::string> FValorEmLinha;
};

// The value of `opcoes` named `valor`. Throws EOpcaoInvalida listing the accepted names.
template <typename T>
[[nodiscard]] T Escolha(const std::string& opcao, const std::string& valor,
                        const std::map<std::string, T>& opcoes) {
  if (auto item = opcoes.find(valor); item != opcoes.end()) return item->second;
  std::string validas;
  for (const auto& [nome, _] : opcoes) validas += (validas.empty() ? "" : ", ") + nome;
  throw EOpcaoInvalida("valor inválido para " + opcao + ": \"" + valor + "\" (use " + validas +
                       ")");
}

// A positive whole number of milliseconds. Throws EOpcaoInvalida for anything else.
[[nodiscard]] int Milissegundos(const std::string& opcao, const std::string& valor);

// --help (--ajuda) and --version (--versao) win over whatever else the line holds, mistakes
// included: the first of them found, or nullopt.
enum class TPedidoInformativo { Ajuda, Versao };
[[nodiscard]] std::optional<TPedidoInformativo> PedidoInformativo(
    const std::vector<std::string>& argumentos);

}  // namespace nivra

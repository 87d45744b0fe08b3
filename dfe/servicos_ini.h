// Parsed services table: sections of entries read from INI text by the table's own rules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nivra {

// An INI store held in memory. Lines are trimmed; empty lines and lines starting with ";" are
// ignored; "[name]" opens a section; lines before the first section are ignored; inside a
// section "key=value" becomes an entry (key and value trimmed, split at the first "=") and a
// line without "=" becomes an entry without value. Section names and keys compare without
// regard to letter case; when a name occurs twice the first section (and inside a section the
// first entry) wins. A section without any entry counts as missing.
class TServicosIni {
 public:
  struct TEntrada {
    std::string Chave;
    std::string Valor;
  };

  TServicosIni() = default;
  // Parses `texto` as by Carregar.
  explicit TServicosIni(std::string_view texto);

  // Replaces the whole content by `texto` parsed as INI text. Never throws (except
  // std::bad_alloc).
  void Carregar(std::string_view texto);

  // Returns true when `secao` exists and holds at least one entry.
  [[nodiscard]] bool SecaoExiste(std::string_view secao) const;

  // Returns the value of the first entry `chave` of `secao`, or the empty text when the section
  // or the key is absent.
  [[nodiscard]] std::string Ler(std::string_view secao, std::string_view chave) const;

  // Returns the entries of `secao` in table order; empty when the section is missing. The
  // reference stays valid until the next Carregar.
  [[nodiscard]] const std::vector<TEntrada>& Entradas(std::string_view secao) const;

  // Returns the section names in table order, the first occurrence of each name only.
  [[nodiscard]] std::vector<std::string> Secoes() const;

 private:
  struct TSecao {
    std::string Nome;
    std::vector<TEntrada> Entradas;
  };

  [[nodiscard]] const TSecao* AchaSecao(std::string_view secao) const;

  std::vector<TSecao> FSecoes;
  // Upper-cased section name -> index of its first occurrence in FSecoes.
  std::unordered_map<std::string, std::size_t> FIndice;
};

}  // namespace nivra

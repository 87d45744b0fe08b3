// XML reader: cuts groups, fields and attributes out of an answer by plain substring search,
// without an XML parser, converting each field by its field type.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>

#include "nivranfe/util/variante.h"
#include "nivranfe/xml/tipo_campo.h"

namespace nivra {

// Reads one answer document. Nested and repeated groups are reached through numbered levels
// 1 to 9, each holding the group last extracted at it; level 0 is the whole document.
class TLeitor {
 public:
  // The number of level texts (0 to 9).
  static constexpr int kNiveis = 10;

  // The whole document, already decoded (plain characters, no entities).
  const std::string& Arquivo() const { return FArquivo; }
  void SetArquivo(const std::string& valor) { FArquivo = valor; }

  // The current group, where rCampo and rAtributo search; set by rExtrai or by the caller.
  const std::string& Grupo() const { return FGrupo; }
  void SetGrupo(const std::string& valor) { FGrupo = valor; }

  // The level texts, index 0 to 9.
  const std::array<std::string, kNiveis>& Nivel() const { return FNivel; }

  // Extracts the item-th group element named TagInicio (closed by TagFim when that is not
  // empty) from the text of level nivel - 1, start and end tags included; stores it at level
  // nivel and in Grupo and returns it. When it is not found, returns "" and leaves Grupo empty
  // and the level unchanged. Throws ENivraDFeException when nivel is outside 1 to 9.
  std::string rExtrai(int32_t nivel, const std::string& TagInicio, const std::string& TagFim = "",
                      int32_t item = 1);

  // The trimmed content of the first element TAG (start tag without attributes, letter case
  // ignored) of Grupo, converted by Tipo; empty text, 0 or the null date when the element is
  // missing, empty, or stands after the first element TAGparada. Throws ENivraDFeException
  // for an impossible date or time, a bad hexadecimal entity (tcStr) and the types that
  // cannot be read (tcBoolStr, tcStrOrig, tcNumStr).
  [[nodiscard]] TVariante rCampo(TkovTipoCampo Tipo, const std::string& TAG,
                                 const std::string& TAGparada = "");

  // The trimmed text of "CNPJ", or of "CPF" when that is empty. Throws as rCampo (tcStr).
  [[nodiscard]] std::string rCampoCNPJCPF(const std::string& TAGparada = "");

  // The value (as text) of the attribute Atributo, searched after the first Tag of Grupo when
  // Tag is found there; empty text when missing, empty or not closed by its quote. Throws
  // ENivraDFeException for a bad hexadecimal entity in the value.
  [[nodiscard]] TVariante rAtributo(const std::string& Atributo, const std::string& Tag = "");

  // Loads the file into Arquivo: its text (UTF-8 or UTF-16 after a byte-order mark, else
  // UTF-8 with stray bytes read as Windows-1252) with its lines ended by CR LF. Returns true;
  // throws ENivraDFeException when the file cannot be read.
  bool CarregarArquivo(const std::string& CaminhoArquivo);
  // Stores the whole text of the stream in Arquivo. Returns true; throws ENivraDFeException
  // when the stream fails while reading.
  bool CarregarArquivo(std::istream& Stream);

  // The 1-based position of the last occurrence of SubStr in S, 0 when there is none.
  [[nodiscard]] static int32_t PosLast(const std::string& SubStr, const std::string& S);

 private:
  std::string FArquivo;
  std::string FGrupo;
  std::array<std::string, kNiveis> FNivel;
};

}  // namespace nivra

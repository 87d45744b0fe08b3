// TXT output of the XML generator: fills a line-oriented layout with field values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// Layout lines hold a record marker "<ID>" and field placeholders "|TAG¨" (IDs and tags in
// upper case). The output is inert while the layout is empty.
class TSaidaTXT {
 public:
  // The TXT output text.
  const std::string& Arquivo() const { return FArquivo; }
  void SetArquivo(const std::string& valor) { FArquivo = valor; }

  // The layout lines; empty unless a caller loads one.
  std::vector<std::string>& Layout() { return FLayout; }

  // The upper-cased ID of the current record.
  const std::string& IDNivel() const { return FIDNivel; }

  // Makes ID (upper-cased) the current record and, when the layout is loaded and ID is not
  // empty, appends each layout line of that record to the output, each ended by CR.
  void gtNivel(std::string_view ID);

  // In every output line of the current record holding the placeholder of Tag, replaces
  // its first occurrence by "|" + ConteudoProcessado. Nothing without a layout.
  void gtCampo(std::string_view Tag, std::string_view ConteudoProcessado);

  // Drops records none of whose fields was filled, puts ID in place of the first "^ID^"
  // after a line's first character, empties unfilled placeholders and removes the record
  // markers. Nothing without a layout.
  void gtAjustarRegistros(const std::string& ID);

 private:
  std::string FArquivo;
  std::vector<std::string> FLayout;
  std::string FIDNivel;
};

}  // namespace nivra

// Options of the XML generator: output layout, text filtering and alert format.
#pragma once

#include <string>

namespace nivra {

// Settings read by TGerador while it writes a document. NivelIdentacao is the generator's
// running indentation level rather than configuration.
class TGeradorOpcoes {
 public:
  // Decimal separator written in decimal fields ("." initially).
  char DecimalChar() const { return FDecimalChar; }
  void SetDecimalChar(char valor) { FDecimalChar = valor; }

  // When set, fields are checked and their alerts recorded but not written.
  bool SomenteValidar() const { return FSomenteValidar; }
  void SetSomenteValidar(bool valor) { FSomenteValidar = valor; }

  // When set, every group tag and field goes on its own indented line ended by CR LF.
  bool IdentarXML() const { return FIdentarXML; }
  void SetIdentarXML(bool valor) { FIdentarXML = valor; }

  // Collapse runs of spaces in filtered field text.
  bool RetirarEspacos() const { return FRetirarEspacos; }
  void SetRetirarEspacos(bool valor) { FRetirarEspacos = valor; }

  // Fold accented letters in filtered field text.
  bool RetirarAcentos() const { return FRetirarAcentos; }
  void SetRetirarAcentos(bool valor) { FRetirarAcentos = valor; }

  // Current indentation level, kept by TGerador::wGrupo.
  int NivelIdentacao() const { return FNivelIdentacao; }
  void SetNivelIdentacao(int valor) { FNivelIdentacao = valor; }

  // Spaces per indentation level.
  int TamanhoIdentacao() const { return FTamanhoIdentacao; }
  void SetTamanhoIdentacao(int valor) { FTamanhoIdentacao = valor; }

  // Write a whole-valued decimal field without separator and decimals.
  bool SuprimirDecimais() const { return FSuprimirDecimais; }
  void SetSuprimirDecimais(bool valor) { FSuprimirDecimais = valor; }

  // Write an empty element as <tag/> rather than <tag></tag>.
  bool TagVaziaNoFormatoResumido() const { return FTagVaziaNoFormatoResumido; }
  void SetTagVaziaNoFormatoResumido(bool valor) { FTagVaziaNoFormatoResumido = valor; }

  // Template of an alert line; see TGerador::wAlerta for its placeholders.
  const std::string& FormatoAlerta() const { return FFormatoAlerta; }
  void SetFormatoAlerta(const std::string& valor) { FFormatoAlerta = valor; }

  // Line-break replacement for the document writers; field text always uses ";".
  const std::string& QuebraLinha() const { return FQuebraLinha; }
  void SetQuebraLinha(const std::string& valor) { FQuebraLinha = valor; }

 private:
  char FDecimalChar = '.';
  bool FSomenteValidar = false;
  bool FIdentarXML = false;
  bool FRetirarEspacos = true;
  bool FRetirarAcentos = true;
  int FNivelIdentacao = 0;
  int FTamanhoIdentacao = 3;
  bool FSuprimirDecimais = false;
  bool FTagVaziaNoFormatoResumido = true;
  std::string FFormatoAlerta = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";
  std::string FQuebraLinha;
};

}  // namespace nivra

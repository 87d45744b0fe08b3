// TXT output of the XML generator.
#include "nivranfe/xml/saida_txt.h"

#include <algorithm>
#include <string_view>

#include "nivranfe/util/texto.h"
#include "nivranfe/util/texto_arquivo.h"

namespace nivra {

namespace {

// Marks the end of a field placeholder in a layout line (U+00A8, the diaeresis).
const std::string kFimCampo = "\xC2\xA8";

// Replaces the first occurrence of de found at or after inicio; false when there is none.
bool TrocarPrimeiro(std::string& texto, std::string_view de, std::string_view para,
                    size_t inicio = 0) {
  const size_t pos = texto.find(de, inicio);
  if (pos == std::string::npos) return false;
  texto.replace(pos, de.size(), para);
  return true;
}

// The placeholders "|TAG¨" of the layout lines, in order.
std::vector<std::string> Marcadores(const std::vector<std::string>& layout) {
  std::vector<std::string> marcadores;
  for (const std::string& linha : layout) {
    size_t inicio = 0;
    for (size_t fim = linha.find(kFimCampo); fim != std::string::npos;
         fim = linha.find(kFimCampo, inicio)) {
      const size_t barra = linha.rfind('|', fim);
      if (barra != std::string::npos && barra >= inicio) {
        marcadores.push_back(linha.substr(barra, fim + kFimCampo.size() - barra));
      }
      inicio = fim + kFimCampo.size();
    }
  }
  return marcadores;
}

}  // namespace

void TSaidaTXT::gtNivel(std::string_view ID) {
  FIDNivel = Maiusculas(ID);
  if (FLayout.empty() || ID.empty()) return;
  const std::string registro = "<" + FIDNivel + ">";
  for (const std::string& linha : FLayout) {
    if (Maiusculas(linha).find(registro) != std::string::npos) FArquivo += linha + "\r";
  }
}

void TSaidaTXT::gtCampo(std::string_view Tag, std::string_view ConteudoProcessado) {
  if (FLayout.empty()) return;
  const std::string registro = "<" + FIDNivel + ">";
  const std::string marcador = "|" + Maiusculas(Aparar(Tag)) + kFimCampo;
  std::vector<std::string> linhas = DividirLinhas(FArquivo);
  for (std::string& linha : linhas) {
    if (linha.find(registro) == std::string::npos) continue;
    if (Maiusculas(linha).find("|" + Maiusculas(Tag) + kFimCampo) == std::string::npos) continue;
    TrocarPrimeiro(linha, marcador, "|" + std::string(ConteudoProcessado));
  }
  FArquivo = JuntarLinhas(linhas);
}

void TSaidaTXT::gtAjustarRegistros(const std::string& ID) {
  if (FLayout.empty()) return;
  const std::vector<std::string> marcadores = Marcadores(FLayout);
  std::vector<std::string> resultado;
  for (std::string linha : DividirLinhas(FArquivo)) {
    // A line still equal to a layout line with fields is a record with nothing filled.
    const bool vazio = std::any_of(FLayout.begin(), FLayout.end(), [&](const std::string& l) {
      return l == linha && l.find(kFimCampo) != std::string::npos;
    });
    if (vazio) continue;
    TrocarPrimeiro(linha, "^ID^", ID, 1);
    for (const std::string& marcador : marcadores) TrocarPrimeiro(linha, marcador, "|");
    const size_t fimRegistro = linha.find('>');
    if (fimRegistro != std::string::npos) linha = Aparar(linha.substr(fimRegistro + 1));
    resultado.push_back(linha);
  }
  FArquivo = JuntarLinhas(resultado);
}

}  // namespace nivra

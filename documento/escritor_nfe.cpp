// Field writing of the document writer: sizes, values, check digits and exact decimals.
#include "nivranfe/documento/escritor_nfe.h"

#include <algorithm>

#include "nivranfe/documento/chave_nfe.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// Whether the text follows the mask, where "9" stands for a digit.
bool SegueMascara(std::string_view texto, std::string_view mascara) {
  if (texto.size() != mascara.size()) return false;
  for (size_t i = 0; i < texto.size(); ++i) {
    const bool digito = texto[i] >= '0' && texto[i] <= '9';
    if (mascara[i] == '9' ? !digito : texto[i] != mascara[i]) return false;
  }
  return true;
}

bool SoDigitos(std::string_view texto) {
  for (const char c : texto) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The digits before the separator of an amount's text ("-12.50" has 2).
int DigitosInteiros(std::string_view texto) {
  const size_t ponto = texto.find('.');
  const size_t fim = ponto == std::string_view::npos ? texto.size() : ponto;
  return static_cast<int>(texto.starts_with('-') ? fim - 1 : fim);
}

// The date-time with its offset: "2026-12-10T09:30:00-03:00".
bool DataHoraComFuso(std::string_view texto) {
  return SegueMascara(texto, "9999-99-99T99:99:99-99:99") ||
         SegueMascara(texto, "9999-99-99T99:99:99+99:99");
}

}  // namespace

void TEscritorNFe::Alerta(const std::string& nome, const std::string& mensagem) {
  FGerador.wAlerta("", nome, nome, mensagem);
}

void TEscritorNFe::Ocorrencias(size_t quantidade, const char* nome, int minimo, int maximo) {
  if (quantidade < static_cast<size_t>(minimo)) {
    Alerta(nome, "Mínimo de " + std::to_string(minimo) + " ocorrência(s) não atingido");
  }
  if (quantidade > static_cast<size_t>(maximo)) {
    Alerta(nome, "Máximo de " + std::to_string(maximo) + " ocorrências ultrapassado [" +
                     std::to_string(quantidade) + "]");
  }
}

void TEscritorNFe::VerificarConteudo(const std::string& valor, const TInfoCampo& info) {
  bool valido = true;
  switch (info.Tipo) {
    case TTipoCampoNFe::cDigitos:
      valido = SoDigitos(valor);
      break;
    case TTipoCampoNFe::cDataHora:
      valido = DataHoraComFuso(valor);
      break;
    case TTipoCampoNFe::cData:
      valido = SegueMascara(valor, "9999-99-99");
      break;
    default:
      break;
  }
  // Most fields have no check-digit rule: its name is not measured then.
  if (*info.Formato != '\0') {
    const std::string_view formato = info.Formato;
    if (formato == "cnpj") valido = CNPJValido(valor);
    if (formato == "cpf") valido = CPFValido(valor);
    if (formato == "chave") valido = ChaveAcessoValida(valor);
  }
  if (!valido) Alerta(info.Nome, "Conteúdo inválido [" + valor + "]");
  if (*info.Valores != '\0' && !NaListaLeiaute(info.Valores, valor)) {
    std::string aceitos = std::string(info.Valores).substr(1);
    aceitos.pop_back();
    SubstituirTodos(aceitos, "|", ", ");
    Alerta(info.Nome, "Valor [" + valor + "] fora dos aceitos: " + aceitos);
  }
}

void TEscritorNFe::CampoPresente(const std::string& valor, const TInfoCampo& info) {
  if (info.Tipo == TTipoCampoNFe::cXML) {
    FGerador.wTexto(valor);
    return;
  }
  // An empty element is what the layout asks for when its minimum size is 0.
  const bool vazioAceito = valor.empty() && info.Minimo == 0;
  const std::string_view nome = info.Nome;
  FValor = valor;
  FGerador.wCampo(TkovTipoCampo::tcStr, "", nome, static_cast<int16_t>(info.Minimo),
                  static_cast<int16_t>(info.Maximo), vazioAceito ? 0 : 1, FValor, nome);
  if (vazioAceito) {
    FGerador.wTexto("<" + std::string(nome) + "/>");
    return;
  }
  if (!valor.empty()) VerificarConteudo(valor, info);
}

void TEscritorNFe::Campo(const std::vector<std::string>& valores, const TInfoCampo& info) {
  Ocorrencias(valores.size(), info.Nome, info.OcorrenciasMin, info.OcorrenciasMax);
  for (const std::string& valor : valores) Campo(valor, info);
}

void TEscritorNFe::CampoPresente(const TDecimal& valor, const TInfoCampo& info) {
  if (valor.Vazio()) {
    FGerador.wCampo(TkovTipoCampo::tcStr, "", info.Nome, 1, 1, 1, std::string(), info.Nome);
    return;
  }
  const int casas = std::clamp(valor.Casas(), info.CasasMin, info.CasasMax);
  const std::string texto = valor.Texto(casas);
  const std::string_view nome = info.Nome;
  FGerador.wCampo(TkovTipoCampo::tcStr, "", nome, 1, 64, 1, texto, nome, false);
  if (valor.Casas() > casas && !(valor.Arredondado(casas) == valor)) {
    Alerta(info.Nome,
           "Mais de " + std::to_string(info.CasasMax) + " casas decimais [" + valor.Texto() + "]");
  }
  if (DigitosInteiros(texto) > info.Inteiros) {
    Alerta(info.Nome,
           "Mais de " + std::to_string(info.Inteiros) + " dígitos inteiros [" + texto + "]");
  }
  if (texto.front() == '-') Alerta(info.Nome, "Valor negativo [" + texto + "]");
  if (info.NaoZero && valor.Zero()) Alerta(info.Nome, "Valor não pode ser zero");
}

void TEscritorNFe::TColetorAtributos::Atributo(const std::string& valor, const TInfoCampo& info) {
  // A value of blanks counts as none, as for a field.
  const std::string texto = PrepararTextoCampo(false, valor, false);
  if (texto.empty()) {
    if (info.OcorrenciasMin > 0) Escritor.Alerta(info.Nome, "Nenhum valor informado");
    return;
  }
  Texto += " " + std::string(info.Nome) + "=\"" + texto + "\"";
  Escritor.VerificarConteudo(valor, info);
}

}  // namespace nivra

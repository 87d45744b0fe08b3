// Printed forms of key, date-time and environment values.
#include "nivranfe/impressao/formatacao_impressao.h"

namespace nivra {

namespace {

bool Digitos(std::string_view texto) {
  for (const char c : texto) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string FormatarChaveAcesso(std::string_view chave) {
  std::string limpa;
  for (const char c : chave) {
    if (c != ' ') limpa += c;
  }
  std::string resultado;
  for (size_t i = 0; i < limpa.size(); i += 4) {
    if (i > 0) resultado += ' ';
    resultado += limpa.substr(i, 4);
  }
  return resultado;
}

std::string FormatarDataHoraXML(std::string_view valor) {
  const bool data = valor.size() >= 10 && valor[4] == '-' && valor[7] == '-' &&
                    Digitos(valor.substr(0, 4)) && Digitos(valor.substr(5, 2)) &&
                    Digitos(valor.substr(8, 2));
  if (!data) return std::string(valor);
  std::string resultado = std::string(valor.substr(8, 2)) + "/" + std::string(valor.substr(5, 2)) +
                          "/" + std::string(valor.substr(0, 4));
  if (valor.size() == 10) return resultado;
  const bool hora = valor.size() >= 19 && valor[10] == 'T' && valor[13] == ':' &&
                    valor[16] == ':' && Digitos(valor.substr(11, 2)) &&
                    Digitos(valor.substr(14, 2)) && Digitos(valor.substr(17, 2));
  if (!hora) return std::string(valor);
  return resultado + " " + std::string(valor.substr(11, 8));
}

std::string DescricaoAmbiente(std::string_view tpAmb) {
  if (tpAmb == "1") return "1 - PRODUÇÃO";
  if (tpAmb == "2") return "2 - HOMOLOGAÇÃO";
  return std::string(tpAmb);
}

}  // namespace nivra

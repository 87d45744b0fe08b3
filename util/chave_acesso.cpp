// Access-key check digit.
#include "util/chave_acesso.h"

#include "util/texto.h"

namespace {

constexpr std::size_t kTamanhoSemDigito = 43;

}  // namespace

int DigitoChaveAcesso(std::string_view digitos) {
  if (digitos.size() != kTamanhoSemDigito || !TextoSoDeDigitos(digitos)) return -1;
  int soma = 0;
  int peso = 2;
  for (auto c = digitos.rbegin(); c != digitos.rend(); ++c) {
    soma += (*c - '0') * peso;
    peso = peso == 9 ? 2 : peso + 1;
  }
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

bool ChaveAcessoValida(std::string_view chave) {
  if (chave.size() != kTamanhoSemDigito + 1) return false;
  const char ultimo = chave.back();
  if (ultimo < '0' || ultimo > '9') return false;
  return DigitoChaveAcesso(chave.substr(0, kTamanhoSemDigito)) == ultimo - '0';
}

// CNPJ and CPF check digits (modulus 11).
#include "util/documentos.h"

#include <string>

#include "util/texto.h"

namespace {

// The number without ".", "/" and "-", trimmed.
std::string Limpar(std::string_view texto) {
  std::string resultado;
  for (char c : texto) {
    if (c != '.' && c != '/' && c != '-') resultado.push_back(c);
  }
  return Aparar(resultado);
}

// The check digit of the first n digits, with the weights 2 to pesoMaximo rising from the
// right and starting over after pesoMaximo; a remainder below 2 gives 0.
char DigitoVerificador(std::string_view digitos, size_t n, int pesoMaximo) {
  int soma = 0;
  int peso = 2;
  for (size_t i = n; i-- > 0;) {
    soma += (digitos[i] - '0') * peso;
    peso = peso == pesoMaximo ? 2 : peso + 1;
  }
  const int resto = soma % 11;
  return static_cast<char>('0' + (resto < 2 ? 0 : 11 - resto));
}

bool DigitosConferem(std::string_view numero, int pesoMaximo) {
  const size_t n = numero.size();
  return DigitoVerificador(numero, n - 2, pesoMaximo) == numero[n - 2] &&
         DigitoVerificador(numero, n - 1, pesoMaximo) == numero[n - 1];
}

}  // namespace

bool CNPJValido(std::string_view texto) {
  const std::string numero = Limpar(texto);
  if (numero.size() != 14 || !TextoSoDeDigitos(numero)) return false;
  if (numero == std::string(14, '0')) return false;
  return DigitosConferem(numero, 9);
}

bool CPFValido(std::string_view texto) {
  const std::string numero = Limpar(texto);
  if (numero.size() != 11 || !TextoSoDeDigitos(numero)) return false;
  if (numero == std::string(11, numero[0])) return false;
  // The CPF weights keep rising (2 to 11) without starting over.
  return DigitosConferem(numero, 11);
}

std::string FormatarCNPJCPF(std::string_view texto) {
  std::string limpo;
  for (char c : Limpar(texto)) {
    if (c == ' ') continue;
    limpo.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  const auto alfanumerico = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); };
  const auto digito = [](char c) { return c >= '0' && c <= '9'; };
  bool valido = limpo.size() == 14 || limpo.size() == 11;
  for (size_t i = 0; valido && i < limpo.size(); ++i)
    valido = limpo.size() == 14 && i < 12 ? alfanumerico(limpo[i]) : digito(limpo[i]);
  if (!valido) return std::string(texto);
  if (limpo.size() == 11)
    return limpo.substr(0, 3) + "." + limpo.substr(3, 3) + "." + limpo.substr(6, 3) + "-" +
           limpo.substr(9);
  return limpo.substr(0, 2) + "." + limpo.substr(2, 3) + "." + limpo.substr(5, 3) + "/" +
         limpo.substr(8, 4) + "-" + limpo.substr(12);
}

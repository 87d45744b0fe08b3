// CNPJ and CPF check digits (modulus 11).
#include "nivranfe/util/documentos.h"

#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::size_t kTamanhoBaseCNPJ = 12;

bool CaractereDeCNPJ(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

bool SoCaracteresDeCNPJ(std::string_view texto) {
  for (char c : texto) {
    if (!CaractereDeCNPJ(c)) return false;
  }
  return true;
}

char ComoCaractere(int digito) { return static_cast<char>('0' + digito); }

// The last two characters are the check digits of those before them, each over all before it.
bool DigitosConferem(std::string_view numero, int pesoMaximo) {
  const std::size_t n = numero.size();
  return ComoCaractere(DigitoModulo11(numero.substr(0, n - 2), pesoMaximo)) == numero[n - 2] &&
         ComoCaractere(DigitoModulo11(numero.substr(0, n - 1), pesoMaximo)) == numero[n - 1];
}

}  // namespace

int DigitoModulo11(std::string_view caracteres, int pesoMaximo) {
  int soma = 0;
  int peso = 2;
  for (auto c = caracteres.rbegin(); c != caracteres.rend(); ++c) {
    soma += (*c - '0') * peso;
    peso = peso == pesoMaximo ? 2 : peso + 1;
  }
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

std::string CNPJSemMascara(std::string_view texto) {
  std::string resultado;
  for (char c : texto) {
    if (c != '.' && c != '/' && c != '-') resultado.push_back(c);
  }
  return Aparar(resultado);
}

bool CNPJValido(std::string_view texto) {
  const std::string numero = CNPJSemMascara(texto);
  if (numero.size() != kTamanhoBaseCNPJ + 2) return false;
  const std::string_view base = std::string_view(numero).substr(0, kTamanhoBaseCNPJ);
  if (!SoCaracteresDeCNPJ(base) || !TextoSoDeDigitos(numero.substr(kTamanhoBaseCNPJ))) return false;
  if (numero == std::string(14, '0')) return false;
  return DigitosConferem(numero, 9);
}

std::string DigitosVerificadoresCNPJ(std::string_view base) {
  if (base.size() != kTamanhoBaseCNPJ || !SoCaracteresDeCNPJ(base)) return {};
  std::string numero(base);
  numero.push_back(ComoCaractere(DigitoModulo11(numero, 9)));
  numero.push_back(ComoCaractere(DigitoModulo11(numero, 9)));
  return numero.substr(kTamanhoBaseCNPJ);
}

std::string FormatarCNPJ(std::string_view cnpj) {
  if (cnpj.size() != kTamanhoBaseCNPJ + 2) return std::string(cnpj);
  std::string resultado(cnpj.substr(0, 2));
  resultado.append(".").append(cnpj.substr(2, 3)).append(".").append(cnpj.substr(5, 3));
  resultado.append("/").append(cnpj.substr(8, 4)).append("-").append(cnpj.substr(12, 2));
  return resultado;
}

bool CPFValido(std::string_view texto) {
  const std::string numero = CNPJSemMascara(texto);
  if (numero.size() != 11 || !TextoSoDeDigitos(numero)) return false;
  if (numero == std::string(11, numero[0])) return false;
  // The CPF weights keep rising (2 to 11) without starting over.
  return DigitosConferem(numero, 11);
}

std::string FormatarCNPJCPF(std::string_view texto) {
  std::string limpo;
  for (char c : CNPJSemMascara(texto)) {
    if (c == ' ') continue;
    limpo.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  if (limpo.size() == kTamanhoBaseCNPJ + 2 && SoCaracteresDeCNPJ(limpo.substr(0, 12)) &&
      TextoSoDeDigitos(limpo.substr(kTamanhoBaseCNPJ)))
    return FormatarCNPJ(limpo);
  if (limpo.size() == 11 && TextoSoDeDigitos(limpo))
    return limpo.substr(0, 3) + "." + limpo.substr(3, 3) + "." + limpo.substr(6, 3) + "-" +
           limpo.substr(9);
  return std::string(texto);
}

}  // namespace nivra

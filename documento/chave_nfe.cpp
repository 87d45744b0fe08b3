// Check digits of the alphanumeric CNPJ and composition of the NF-e access key.
#include "documento/chave_nfe.h"

#include <algorithm>

#include "util/excecoes.h"

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }
bool DigitoOuLetra(char c) { return Digito(c) || (c >= 'A' && c <= 'Z'); }

bool Todos(std::string_view texto, bool (*regra)(char)) {
  return std::all_of(texto.begin(), texto.end(), regra);
}

std::string Completar(std::string_view parte, size_t tamanho, const char* nome,
                      bool alfanumerica = false) {
  if (parte.size() > tamanho || !Todos(parte, alfanumerica ? &DigitoOuLetra : &Digito)) {
    throw ENivraDFeException("Campo " + std::string(nome) + " inválido para a chave de acesso: \"" +
                             std::string(parte) + "\"");
  }
  return std::string(tamanho - parte.size(), '0') + std::string(parte);
}

}  // namespace

int DigitoModulo11Alfanumerico(std::string_view texto) {
  int soma = 0;
  int peso = 2;
  for (auto c = texto.rbegin(); c != texto.rend(); ++c) {
    if (!DigitoOuLetra(*c)) return -1;
    soma += (*c - '0') * peso;
    peso = peso == 9 ? 2 : peso + 1;
  }
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

bool CNPJAlfanumericoValido(std::string_view cnpj) {
  if (cnpj.size() != 14 || !Todos(cnpj.substr(0, 12), &DigitoOuLetra) ||
      !Todos(cnpj.substr(12), &Digito) || cnpj == "00000000000000") {
    return false;
  }
  const int dv1 = DigitoModulo11Alfanumerico(cnpj.substr(0, 12));
  const int dv2 = DigitoModulo11Alfanumerico(cnpj.substr(0, 13));
  return dv1 == cnpj[12] - '0' && dv2 == cnpj[13] - '0';
}

bool ChaveNFeValida(std::string_view chave) {
  if (chave.size() != 44 || !Todos(chave.substr(0, 6), &Digito) ||
      !Todos(chave.substr(6, 12), &DigitoOuLetra) || !Todos(chave.substr(18), &Digito)) {
    return false;
  }
  return DigitoModulo11Alfanumerico(chave.substr(0, 43)) == chave[43] - '0';
}

std::string PrefixoChaveNFe(const TPartesChaveNFe& p) {
  const bool cpf = p.CNPJCPF.size() == 11;
  return Completar(p.cUF, 2, "cUF") + Completar(p.AAMM, 4, "AAMM") +
         Completar(p.CNPJCPF, 14, cpf ? "CPF" : "CNPJ", !cpf) + Completar(p.mod, 2, "mod") +
         Completar(p.serie, 3, "serie") + Completar(p.nNF, 9, "nNF") +
         Completar(p.tpEmis, 1, "tpEmis") + Completar(p.cNF, 8, "cNF");
}

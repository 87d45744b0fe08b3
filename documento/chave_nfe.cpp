// Composition of the NF-e access key.
#include "nivranfe/documento/chave_nfe.h"

#include <algorithm>

#include "nivranfe/util/excecoes.h"

namespace nivra {

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

std::string PrefixoChaveNFe(const TPartesChaveNFe& p) {
  const bool cpf = p.CNPJCPF.size() == 11;
  return Completar(p.cUF, 2, "cUF") + Completar(p.AAMM, 4, "AAMM") +
         Completar(p.CNPJCPF, 14, cpf ? "CPF" : "CNPJ", !cpf) + Completar(p.mod, 2, "mod") +
         Completar(p.serie, 3, "serie") + Completar(p.nNF, 9, "nNF") +
         Completar(p.tpEmis, 1, "tpEmis") + Completar(p.cNF, 8, "cNF");
}

}  // namespace nivra

// Checks of a request's numbers, with the messages that name them.
#include "nivranfe/nfe/documentos_pedido.h"

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::size_t kTamanhoCPF = 11;
constexpr std::size_t kTamanhoRaiz = 8;
constexpr std::size_t kTamanhoNSU = 15;

}  // namespace

void ValidarCNPJ(const std::string& CNPJ) {
  if (!CNPJValido(CNPJ)) throw ENivraNFeException("CNPJ \"" + CNPJ + "\" inválido.");
}

void ValidarCPF(const std::string& CPF) {
  if (!CPFValido(CPF)) throw ENivraNFeException("CPF \"" + CPF + "\" inválido.");
}

void ValidarCNPJouCPF(const std::string& Documento) {
  if (SomenteLetrasEDigitos(Documento).size() > kTamanhoCPF)
    ValidarCNPJ(Documento);
  else
    ValidarCPF(Documento);
}

void ValidarChaveNFe(const std::string& Chave) {
  if (!ChaveNFeValida(Chave)) throw ENivraNFeException("Chave \"" + Chave + "\" inválida.");
}

void ValidarRaizCNPJ(const std::string& Raiz) {
  // The root's characters follow the rule of the CNPJ's first 12: its check digits decide.
  const bool valida = Raiz.size() == kTamanhoRaiz &&
                      DigitosVerificadoresCNPJ(Raiz + std::string(4, '0')).size() == 2;
  if (!valida) throw ENivraNFeException("Raiz do CNPJ \"" + Raiz + "\" inválida.");
}

void ValidarNSU(const std::string& NSU) {
  if (!TextoSoDeDigitos(NSU) || NSU.size() > kTamanhoNSU)
    throw ENivraNFeException("NSU \"" + NSU + "\" inválido.");
}

std::string IdSemPrefixo(const std::string& Id) {
  const std::string caracteres = SomenteLetrasEDigitos(Id);
  return caracteres.starts_with("ID") ? caracteres.substr(2) : caracteres;
}

}  // namespace nivra

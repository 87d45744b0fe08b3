// Access-key check digit and fields.
#include "nivranfe/util/chave_acesso.h"

#include "nivranfe/util/documentos.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

constexpr std::size_t kTamanhoSemDigito = 43;
// The issuer's CNPJ or CPF: places 7 to 20, of which the first 12 may hold letters.
constexpr std::size_t kInicioDocumento = 6;
constexpr std::size_t kFimLetras = kInicioDocumento + 12;

bool NoAlfabeto(std::string_view base) {
  for (std::size_t i = 0; i < base.size(); ++i) {
    const char c = base[i];
    const bool letraPermitida = i >= kInicioDocumento && i < kFimLetras && c >= 'A' && c <= 'Z';
    if (!(c >= '0' && c <= '9') && !letraPermitida) return false;
  }
  return true;
}

}  // namespace

int DigitoChaveAcesso(std::string_view base) {
  if (base.size() != kTamanhoSemDigito || !NoAlfabeto(base)) return -1;
  return DigitoModulo11(base, 9);
}

bool FormaDeChaveAcesso(std::string_view chave) {
  return chave.size() == kTamanhoSemDigito + 1 && chave.back() >= '0' && chave.back() <= '9' &&
         NoAlfabeto(chave.substr(0, kTamanhoSemDigito));
}

bool ChaveAcessoValida(std::string_view chave) {
  return FormaDeChaveAcesso(chave) &&
         DigitoChaveAcesso(chave.substr(0, kTamanhoSemDigito)) == chave.back() - '0';
}

bool ChaveNFeValida(std::string_view chave) {
  if (!ChaveAcessoValida(chave)) return false;
  const std::string_view modelo = chave.substr(20, 2);
  return (modelo == "55" || modelo == "65") && !CUFParaSigla(CodigoUFDaChave(chave)).empty();
}

int32_t CodigoUFDaChave(std::string_view chave) {
  if (chave.size() < 2 || !TextoSoDeDigitos(chave.substr(0, 2))) return 0;
  return (chave[0] - '0') * 10 + (chave[1] - '0');
}

}  // namespace nivra

// The general group of the NF-e configuration.
#include "nivranfe/dfe/geral_conf_nfe.h"

#include <charconv>
#include <cstdint>

#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// The text read as a whole integer (a leading sign allowed), or 0 when it is not one.
int64_t InteiroOuZero(const std::string& texto) {
  std::string aparado = Aparar(texto);
  // from_chars takes "-" but not "+".
  if (aparado.size() > 1 && aparado[0] == '+' && aparado[1] != '-') aparado.erase(0, 1);
  int64_t valor = 0;
  const char* fim = aparado.data() + aparado.size();
  const auto [pos, erro] = std::from_chars(aparado.data(), fim, valor);
  if (erro != std::errc() || pos != fim) return 0;
  return valor;
}

}  // namespace

TGeralConfNFe::TGeralConfNFe(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL)
    : TGeralConf(AConfiguracoes, ASSL) {}

void TGeralConfNFe::Assign(const TGeralConfNFe& DeGeralConfNFe) {
  TGeralConf::Assign(DeGeralConfNFe);
  SetModeloDF(DeGeralConfNFe.ModeloDF());
  SetVersaoDF(DeGeralConfNFe.VersaoDF());
  SetIdCSC(DeGeralConfNFe.IdCSC());
  SetCSC(DeGeralConfNFe.CSC());
  FIncluirQRCodeXMLNFCe = DeGeralConfNFe.FIncluirQRCodeXMLNFCe;
}

int TGeralConfNFe::ModeloDFCodigo() const { return std::stoi(ModeloParaTexto(FModeloDF)); }

void TGeralConfNFe::SetIdCSC(const std::string& Valor) {
  if (Valor == FIdCSC) return;
  FIdCSC = ZerosAEsquerda(InteiroOuZero(Valor), 6);
}

void TGeralConfNFe::SetCSC(const std::string& Valor) {
  if (Valor == FCSC) return;
  FCSC = Aparar(Valor);
}

}  // namespace nivra

// The general group of the NF-e configuration.
#include "dfe/geral_conf_nfe.h"

#include <charconv>
#include <cstdint>

#include "util/texto.h"

namespace {

// The text read as a whole integer, or 0 when it is not one.
int64_t InteiroOuZero(const std::string& texto) {
  const std::string aparado = Aparar(texto);
  int64_t valor = 0;
  const char* fim = aparado.data() + aparado.size();
  const auto [pos, erro] = std::from_chars(aparado.data(), fim, valor);
  if (erro != std::errc() || pos != fim) return 0;
  return valor;
}

}  // namespace

TGeralConfNFe::TGeralConfNFe(TConfiguracoes& AConfiguracoes) : TGeralConf(AConfiguracoes) {}

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

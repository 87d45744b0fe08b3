// Layout of the issuer's box of the DANFE.
#include "nivranfe/impressao/quadro_emitente.h"

#include <algorithm>
#include <string>

#include "nivranfe/impressao/formulario_pdf.h"
#include "nivranfe/impressao/valores_danfe.h"

namespace nivra {

namespace {

constexpr double kLogoLargo = 2.5;

std::string EnderecoEmitente(const nfe::TenderEmit& e) {
  std::string texto = Endereco(e.xLgr, e.nro, e.xCpl) + "\n" + e.xBairro + " - " +
                      FormatarCEP(e.CEP) + "\n" + e.xMun + " - " + e.UF;
  if (!e.fone.empty()) texto += "\nFone: " + e.fone;
  return texto;
}

}  // namespace

void QuadroEmitente(TDocumentoPDF& Documento, const TCaixaPDF& Caixa, const nfe::Temit& Emitente,
                    const TImagemPDF* Logo) {
  constexpr TAlinhamentoPDF kCen = TAlinhamentoPDF::Centro;
  Documento.Retangulo(Caixa);
  const std::string nome = MaiusculasImpressao(Emitente.xNome);
  const std::string endereco = EnderecoEmitente(Emitente.enderEmit);
  const double x = Caixa.X;
  const double y = Caixa.Y;
  if (Logo != nullptr && Logo->Proporcao() >= kLogoLargo) {
    Documento.Imagem({x + 2, y + 1.5, Caixa.Largura - 4, 11}, *Logo);
    Documento.Texto({x + 1, y + 13.5, Caixa.Largura - 2, 8}, nome, {"Liberation Serif", 10, true},
                    kCen, 7);
    Documento.Texto({x + 1, y + 22, Caixa.Largura - 2, Caixa.Altura - 23}, endereco,
                    {"Liberation Serif", 7.5, false}, kCen, 6);
    return;
  }
  double texto = x + 1;
  if (Logo != nullptr) {
    const double lado = std::min(Caixa.Largura * 0.36, Caixa.Altura - 4);
    Documento.Imagem({x + 1.5, y + 2, lado, Caixa.Altura - 4}, *Logo);
    texto += lado + 1.5;
  }
  const double largura = Caixa.X + Caixa.Largura - 1 - texto;
  Documento.Texto({texto, y + 2, largura, 12}, nome, {"Liberation Serif", 11, true}, kCen, 8);
  Documento.Texto({texto, y + 15, largura, Caixa.Altura - 16}, endereco,
                  {"Liberation Serif", 8, false}, kCen, 6);
}

}  // namespace nivra

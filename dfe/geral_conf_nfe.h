// The general group of the NF-e configuration: the base settings plus model, layout version
// and the NFC-e security code.
#pragma once

#include <string>

#include "nivranfe/dfe/geral_conf.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// NF-e general settings.
class TGeralConfNFe : public TGeralConf {
 public:
  TGeralConfNFe(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL);

  using TGeralConf::Assign;
  // The base copy, then ModeloDF, VersaoDF, IdCSC, CSC (through the setters) and
  // IncluirQRCodeXMLNFCe. AtualizarXMLCancelado is not copied. Throws as the base copy.
  void Assign(const TGeralConfNFe& DeGeralConfNFe);

  TkovModeloDF ModeloDF() const { return FModeloDF; }
  void SetModeloDF(TkovModeloDF Valor) { FModeloDF = Valor; }
  // The code of ModeloDF (55 or 65).
  int ModeloDFCodigo() const;
  TkovVersaoDF VersaoDF() const { return FVersaoDF; }
  void SetVersaoDF(TkovVersaoDF Valor) { FVersaoDF = Valor; }
  bool AtualizarXMLCancelado() const { return FAtualizarXMLCancelado; }
  void SetAtualizarXMLCancelado(bool Valor) { FAtualizarXMLCancelado = Valor; }
  // Identifier of the NFC-e security code, always 6 digits once set.
  const std::string& IdCSC() const { return FIdCSC; }
  // Stores the value read as an integer (0 when it is not a number) written with 6 digits.
  void SetIdCSC(const std::string& Valor);
  // The NFC-e security code (CSC), stored trimmed.
  const std::string& CSC() const { return FCSC; }
  void SetCSC(const std::string& Valor);
  bool IncluirQRCodeXMLNFCe() const { return FIncluirQRCodeXMLNFCe; }
  void SetIncluirQRCodeXMLNFCe(bool Valor) { FIncluirQRCodeXMLNFCe = Valor; }

 private:
  TkovModeloDF FModeloDF = TkovModeloDF::moNFe;
  // 4.00, the layout every authoriser takes (3.10 was retired), unless a program sets another.
  TkovVersaoDF FVersaoDF = TkovVersaoDF::ve400;
  bool FAtualizarXMLCancelado = false;
  std::string FIdCSC;
  std::string FCSC;
  bool FIncluirQRCodeXMLNFCe = true;
};

}  // namespace nivra

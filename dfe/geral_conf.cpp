// The general group of the configuration.
#include "nivranfe/dfe/geral_conf.h"

#include <array>

#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/security/dfe_ssl.h"

namespace nivra {

namespace {

const char* const kFormatoAlertaPadrao = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";

// The three library choices each combined value stands for.
struct TLinhaSSLLib {
  TSSLLib Lib;
  TSSLCryptLib Crypt;
  TSSLHttpLib Http;
  TSSLXmlSignLib XmlSign;
};

// In the order the recalculation compares them.
constexpr std::array<TLinhaSSLLib, 5> kLinhasSSLLib{{
    {TSSLLib::libOpenSSL, TSSLCryptLib::cryOpenSSL, TSSLHttpLib::httpOpenSSL,
     TSSLXmlSignLib::xsXmlSec},
    {TSSLLib::libNone, TSSLCryptLib::cryNone, TSSLHttpLib::httpNone, TSSLXmlSignLib::xsNone},
    {TSSLLib::libCapicom, TSSLCryptLib::cryCapicom, TSSLHttpLib::httpWinINet,
     TSSLXmlSignLib::xsMsXmlCapicom},
    {TSSLLib::libCapicomDelphiSoap, TSSLCryptLib::cryCapicom, TSSLHttpLib::httpIndy,
     TSSLXmlSignLib::xsMsXmlCapicom},
    {TSSLLib::libWinCrypt, TSSLCryptLib::cryWinCrypt, TSSLHttpLib::httpWinHttp,
     TSSLXmlSignLib::xsMsXml},
}};

}  // namespace

TGeralConf::TGeralConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL)
    : FConfiguracoes(AConfiguracoes), FSSL(ASSL), FFormatoAlerta(kFormatoAlertaPadrao) {}

void TGeralConf::Assign(const TGeralConf& DeGeralConf) {
  SetSSLLib(DeGeralConf.SSLLib());
  SetSSLCryptLib(DeGeralConf.SSLCryptLib());
  SetSSLHttpLib(DeGeralConf.SSLHttpLib());
  SetSSLXmlSignLib(DeGeralConf.SSLXmlSignLib());
  SetFormaEmissao(DeGeralConf.FormaEmissao());
  FSalvar = DeGeralConf.FSalvar;
  FExibirErroSchema = DeGeralConf.FExibirErroSchema;
  FFormatoAlerta = DeGeralConf.FormatoAlerta();
  FRetirarAcentos = DeGeralConf.FRetirarAcentos;
  FRetirarEspacos = DeGeralConf.FRetirarEspacos;
  FValidarDigest = DeGeralConf.FValidarDigest;
}

void TGeralConf::SetSSLLib(TSSLLib Valor) {
  FPapeisEscolhidos = true;
  FCalcSSLLib = false;
  try {
    for (const TLinhaSSLLib& linha : kLinhasSSLLib) {
      if (linha.Lib != Valor) continue;
      SetSSLCryptLib(linha.Crypt);
      SetSSLHttpLib(linha.Http);
      SetSSLXmlSignLib(linha.XmlSign);
    }
  } catch (...) {
    FCalcSSLLib = true;
    throw;
  }
  FCalcSSLLib = true;
  FSSLLib = Valor;
}

void TGeralConf::UsarPapeisDaCompilacao() {
  if (!FPapeisEscolhidos && !FSSL.PapeisEscolhidos()) SetSSLLib(TSSLLib::libOpenSSL);
}

void TGeralConf::SetSSLCryptLib(TSSLCryptLib Valor) {
  FPapeisEscolhidos = true;
  FSSL.SetSSLCryptLib(Valor);
  FSSLCryptLib = Valor;
  if (FCalcSSLLib) RecalcularSSLLib();
}

void TGeralConf::SetSSLHttpLib(TSSLHttpLib Valor) {
  FPapeisEscolhidos = true;
  FSSL.SetSSLHttpLib(Valor);
  FSSLHttpLib = Valor;
  if (FCalcSSLLib) RecalcularSSLLib();
}

void TGeralConf::SetSSLXmlSignLib(TSSLXmlSignLib Valor) {
  FPapeisEscolhidos = true;
  FSSL.SetSSLXmlSignLib(Valor);
  FSSLXmlSignLib = Valor;
  if (FCalcSSLLib) RecalcularSSLLib();
}

void TGeralConf::RecalcularSSLLib() {
  FSSLLib = TSSLLib::libCustom;
  for (const TLinhaSSLLib& linha : kLinhasSSLLib) {
    if (linha.Crypt == FSSLCryptLib && linha.Http == FSSLHttpLib &&
        linha.XmlSign == FSSLXmlSignLib) {
      FSSLLib = linha.Lib;
      return;
    }
  }
}

int TGeralConf::FormaEmissaoCodigo() const {
  return std::stoi(TipoEmissaoParaTexto(FFormaEmissao));
}

std::string TGeralConf::FormatoAlerta() const {
  static constexpr std::array<const char*, 5> kMarcadores{"%TAGNIVEL%", "%TAG%", "%ID%", "%MSG%",
                                                          "%DESCRICAO%"};
  for (const char* marcador : kMarcadores) {
    if (FFormatoAlerta.find(marcador) != std::string::npos) return FFormatoAlerta;
  }
  return kFormatoAlertaPadrao;
}

}  // namespace nivra

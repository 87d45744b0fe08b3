// The general group of the configuration: library choices, emission type and the options of
// the XML generator and of document validation.
#pragma once

#include <string>

#include "nivranfe/security/ssl_tipos.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

class TConfiguracoes;
class TDFeSSL;

// General settings. The library setters push each choice into the component's security
// facade at once, and SSLLib is kept in step with the three choices.
class TGeralConf {
 public:
  // AConfiguracoes is the root that owns the group and outlives it.
  // ASSL is the security facade this group keeps in step with its settings; it and
  // AConfiguracoes outlive the group.
  TGeralConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL);
  TGeralConf(const TGeralConf&) = delete;
  TGeralConf& operator=(const TGeralConf&) = delete;
  virtual ~TGeralConf() = default;

  // Copies SSLLib, SSLCryptLib, SSLHttpLib, SSLXmlSignLib, FormaEmissao (through the setters),
  // Salvar, ExibirErroSchema, FormatoAlerta (as read), RetirarAcentos, RetirarEspacos and
  // ValidarDigest. Throws what the facade throws for a refused library choice.
  virtual void Assign(const TGeralConf& DeGeralConf);

  TSSLLib SSLLib() const { return FSSLLib; }
  // Sets the three library choices of the value's row (libCustom keeps them), then stores the
  // value. Throws the facade's error when it refuses a choice; recalculation is resumed anyway.
  void SetSSLLib(TSSLLib Valor);
  TSSLCryptLib SSLCryptLib() const { return FSSLCryptLib; }
  // Each library setter pushes the choice to the facade (which may throw), stores it and then
  // recalculates SSLLib.
  void SetSSLCryptLib(TSSLCryptLib Valor);
  TSSLHttpLib SSLHttpLib() const { return FSSLHttpLib; }
  void SetSSLHttpLib(TSSLHttpLib Valor);
  TSSLXmlSignLib SSLXmlSignLib() const { return FSSLXmlSignLib; }
  void SetSSLXmlSignLib(TSSLXmlSignLib Valor);
  // When the program chose or installed no role at all, chooses the roles this build has
  // (SSLLib := libOpenSSL: OpenSSL, libcurl and xmlsec1); otherwise does nothing, so a value a
  // program set keeps its meaning. The component calls it before it first needs a role.
  void UsarPapeisDaCompilacao();

  TkovTipoEmissao FormaEmissao() const { return FFormaEmissao; }
  void SetFormaEmissao(TkovTipoEmissao Valor) { FFormaEmissao = Valor; }
  // The code of FormaEmissao (teNormal 1 ... teOffLine 9).
  int FormaEmissaoCodigo() const;

  bool Salvar() const { return FSalvar; }
  void SetSalvar(bool Valor) { FSalvar = Valor; }
  bool ExibirErroSchema() const { return FExibirErroSchema; }
  void SetExibirErroSchema(bool Valor) { FExibirErroSchema = Valor; }
  // The stored format when it holds one of the placeholders %TAGNIVEL%, %TAG%, %ID%, %MSG%,
  // %DESCRICAO%; otherwise the default format (the stored value is kept).
  std::string FormatoAlerta() const;
  void SetFormatoAlerta(const std::string& Valor) { FFormatoAlerta = Valor; }
  bool RetirarAcentos() const { return FRetirarAcentos; }
  void SetRetirarAcentos(bool Valor) { FRetirarAcentos = Valor; }
  bool RetirarEspacos() const { return FRetirarEspacos; }
  void SetRetirarEspacos(bool Valor) { FRetirarEspacos = Valor; }
  bool IdentarXML() const { return FIdentarXML; }
  void SetIdentarXML(bool Valor) { FIdentarXML = Valor; }
  bool ValidarDigest() const { return FValidarDigest; }
  void SetValidarDigest(bool Valor) { FValidarDigest = Valor; }

 protected:
  TConfiguracoes& Configuracoes() const { return FConfiguracoes; }

 private:
  void RecalcularSSLLib();

  TConfiguracoes& FConfiguracoes;
  TDFeSSL& FSSL;
  bool FCalcSSLLib = true;
  // A program set one of the library settings (even to the value it had).
  bool FPapeisEscolhidos = false;
  TSSLLib FSSLLib = TSSLLib::libNone;
  TSSLCryptLib FSSLCryptLib = TSSLCryptLib::cryNone;
  TSSLHttpLib FSSLHttpLib = TSSLHttpLib::httpNone;
  TSSLXmlSignLib FSSLXmlSignLib = TSSLXmlSignLib::xsNone;
  TkovTipoEmissao FFormaEmissao = TkovTipoEmissao::teNormal;
  bool FSalvar = true;
  bool FExibirErroSchema = true;
  std::string FFormatoAlerta;
  bool FRetirarAcentos = true;
  bool FRetirarEspacos = true;
  bool FIdentarXML = false;
  bool FValidarDigest = true;
};

}  // namespace nivra

// The web-service group of the configuration: UF, environment, proxy, retries, time-out and
// the text of the services table.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/uf.h"

namespace nivra {

class TConfiguracoes;
class TDFeSSL;

// Returns the lines of the text file `NomeArquivo` as a text list loads them: the text as
// LerArquivoTexto decodes it (byte-order marks honoured, bytes that are not UTF-8 read as
// Windows-1252), split by DividirLinhas (a line ends at CR LF, LF or CR; a break at the very end
// adds no line). Throws LerArquivoTexto's ENivraDFeException when the file cannot be read.
std::vector<std::string> LerLinhasDeArquivo(const std::string& NomeArquivo);

// Web-service settings. Proxy and time-out setters push the value into the component's
// security facade when it changes.
class TWebServicesConf {
 public:
  // AConfiguracoes is the root that owns the group and outlives it.
  // ASSL is the security facade this group keeps in step with its settings; it and
  // AConfiguracoes outlive the group.
  TWebServicesConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL);
  TWebServicesConf(const TWebServicesConf&) = delete;
  TWebServicesConf& operator=(const TWebServicesConf&) = delete;
  virtual ~TWebServicesConf();

  // Returns the lines of the file Arquivos.IniServicos joined with line breaks, or the empty
  // text when that name is empty or names no existing file. Throws ENivraDFeException when the
  // file exists but cannot be read.
  virtual std::string LerParamsDeArquivo();
  // Returns the whole embedded services table named ResourceName. Throws ENivraDFeException
  // when no table of that name is embedded.
  virtual std::string LerParamsDeRecurso();
  // Copies ResourceName, Visualizar, UF, Ambiente, the proxy settings, AguardarConsultaRet,
  // Tentativas, IntervaloTentativas, AjustaAguardaConsultaRet, Salvar, Params,
  // VerificarServidor and ArquivoCA (a copy never trusts more than its source). TimeOut,
  // QuebradeLinha and TimeZoneConf are not copied.
  virtual void Assign(const TWebServicesConf& DeWebServicesConf);
  // Params := the lines of the services file when it exists, else of the embedded table. Throws
  // as LerParamsDeArquivo and LerParamsDeRecurso.
  virtual void LerParams();

  bool Visualizar() const { return FVisualizar; }
  void SetVisualizar(bool Valor) { FVisualizar = Valor; }
  const std::string& UF() const { return FUF; }
  // Accepts only one of the 27 UF abbreviations (exact, upper case); any other value is
  // ignored.
  void SetUF(const std::string& Valor);
  // The IBGE code of UF.
  int UFCodigo() const { return SiglaUFParaCodigo(FUF); }
  TkovTipoAmbiente Ambiente() const { return FAmbiente; }
  void SetAmbiente(TkovTipoAmbiente Valor) { FAmbiente = Valor; }
  // The code of Ambiente (1 production, 2 homologation).
  int AmbienteCodigo() const;

  const std::string& ProxyHost() const { return FProxyHost; }
  void SetProxyHost(const std::string& Valor);
  const std::string& ProxyPort() const { return FProxyPort; }
  void SetProxyPort(const std::string& Valor);
  const std::string& ProxyUser() const { return FProxyUser; }
  void SetProxyUser(const std::string& Valor);
  const std::string& ProxyPass() const { return FProxyPass; }
  void SetProxyPass(const std::string& Valor);

  // Milliseconds to wait before the first receipt query.
  uint32_t AguardarConsultaRet() const { return FAguardarConsultaRet; }
  void SetAguardarConsultaRet(uint32_t Valor) { FAguardarConsultaRet = Valor; }
  int Tentativas() const { return FTentativas; }
  // Values below 1 become 5.
  void SetTentativas(int Valor) { FTentativas = Valor < 1 ? 5 : Valor; }
  // Milliseconds between attempts.
  uint32_t IntervaloTentativas() const { return FIntervaloTentativas; }
  // Values below 1000 become 1000.
  void SetIntervaloTentativas(uint32_t Valor) {
    FIntervaloTentativas = Valor < 1000 ? 1000 : Valor;
  }
  bool AjustaAguardaConsultaRet() const { return FAjustaAguardaConsultaRet; }
  void SetAjustaAguardaConsultaRet(bool Valor) { FAjustaAguardaConsultaRet = Valor; }
  // Save the SOAP envelopes as well as the documents.
  bool Salvar() const { return FSalvar; }
  void SetSalvar(bool Valor) { FSalvar = Valor; }
  // The services table, one line per item. `Origem` names where the lines came from (a file's
  // name), for the messages of a failed lookup.
  const std::vector<std::string>& Params() const { return FParams; }
  void SetParams(const std::vector<std::string>& Valor, const std::string& Origem = kOrigemParams) {
    FParams = Valor;
    FOrigemParams = Origem;
  }
  // The origin of lines the program set itself.
  static constexpr const char* kOrigemParams = "Configuracoes.WebServices.Params";
  // Where Params came from: the services file read, the embedded table's name
  // (ResourceName), or kOrigemParams for lines the program set.
  const std::string& OrigemParams() const { return FOrigemParams; }
  // HTTP time-out in milliseconds; a value of 0 or less becomes kTimeOutPadrao, so a request
  // never waits for ever.
  int TimeOut() const { return FTimeOut; }
  void SetTimeOut(int Valor);
  // Verify the authoriser's certificate chain and host name (off by default), against the PEM
  // bundle ArquivoCA when one is named, else the system's authorities. Both are handed to the
  // security facade.
  bool VerificarServidor() const { return FVerificarServidor; }
  void SetVerificarServidor(bool Valor);
  const std::string& ArquivoCA() const { return FArquivoCA; }
  void SetArquivoCA(const std::string& Valor);
  // Line-break marker of the XML generator.
  const std::string& QuebradeLinha() const { return FQuebradeLinha; }
  void SetQuebradeLinha(const std::string& Valor) { FQuebradeLinha = Valor; }
  TTimeZoneConf& TimeZoneConf() { return *FTimeZoneConf; }
  const TTimeZoneConf& TimeZoneConf() const { return *FTimeZoneConf; }

  // Name of the embedded services table and base of the services file name.
  const std::string& ResourceName() const { return FResourceName; }
  void SetResourceName(const std::string& Valor) { FResourceName = Valor; }

 private:
  TConfiguracoes& FConfiguracoes;
  TDFeSSL& FSSL;
  bool FVisualizar = false;
  std::string FUF = "SP";
  TkovTipoAmbiente FAmbiente = TkovTipoAmbiente::taHomologacao;
  std::string FProxyHost;
  std::string FProxyPort;
  std::string FProxyUser;
  std::string FProxyPass;
  uint32_t FAguardarConsultaRet = 0;
  int FTentativas = 5;
  uint32_t FIntervaloTentativas = 1000;
  bool FAjustaAguardaConsultaRet = false;
  bool FSalvar = false;
  std::vector<std::string> FParams;
  std::string FOrigemParams;
  int FTimeOut = 5000;
  bool FVerificarServidor = false;
  std::string FArquivoCA;
  std::string FQuebradeLinha = "|";
  std::unique_ptr<TTimeZoneConf> FTimeZoneConf;
  std::string FResourceName = "NivraServicos";
};

}  // namespace nivra

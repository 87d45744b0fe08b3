// TNivraWinReqResp: one SOAP request over HTTP or HTTPS, optionally with a client certificate.
// Knows nothing of the rest of the component: it is given a URL, a body, a few headers, proxy
// settings, a time-out, a TLS choice and a certificate, and returns the raw answer.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/security/dfe_ssl_crypt.h"
#include "nivranfe/security/ssl_tipos.h"

namespace nivra {

class TNivraWinReqResp {
 public:
  TNivraWinReqResp() = default;
  TNivraWinReqResp(const TNivraWinReqResp&) = delete;
  TNivraWinReqResp& operator=(const TNivraWinReqResp&) = delete;
  virtual ~TNivraWinReqResp();

  // Client certificate presented on secure requests; not owned, must stay valid during
  // `Execute`. nullptr = none.
  const TCertContext* CertContext() const { return FCertContext; }
  void SetCertContext(const TCertContext* valor) { FCertContext = valor; }
  // Value of the SOAPAction header; empty leaves the header out.
  const std::string& SOAPAction() const { return FSOAPAction; }
  void SetSOAPAction(const std::string& valor) { FSOAPAction = valor; }
  // Media type written into Content-Type.
  const std::string& MimeType() const { return FMimeType; }
  void SetMimeType(const std::string& valor) { FMimeType = valor; }
  // Charset written into Content-Type and Accept-Charset.
  const std::string& Charsets() const { return FCharsets; }
  void SetCharsets(const std::string& valor) { FCharsets = valor; }
  // Full endpoint URL.
  const std::string& Url() const { return FUrl; }
  void SetUrl(const std::string& valor) { FUrl = valor; }
  // Request body, as bytes.
  const std::string& Data() const { return FData; }
  void SetData(const std::string& valor) { FData = valor; }
  // Proxy; an empty host means none given, an empty or "0" port means none given.
  const std::string& ProxyHost() const { return FProxyHost; }
  void SetProxyHost(const std::string& valor) { FProxyHost = valor; }
  const std::string& ProxyPort() const { return FProxyPort; }
  void SetProxyPort(const std::string& valor) { FProxyPort = valor; }
  const std::string& ProxyUser() const { return FProxyUser; }
  void SetProxyUser(const std::string& valor) { FProxyUser = valor; }
  const std::string& ProxyPass() const { return FProxyPass; }
  void SetProxyPass(const std::string& valor) { FProxyPass = valor; }
  // Re-encode the body to UTF-8 before sending (bytes already UTF-8 stay as they are).
  bool EncodeDataToUTF8() const { return FEncodeDataToUTF8; }
  void SetEncodeDataToUTF8(bool valor) { FEncodeDataToUTF8 = valor; }
  // Time-out of each network phase in milliseconds; 0 or less keeps the library's defaults.
  int TimeOut() const { return FTimeOut; }
  void SetTimeOut(int valor) { FTimeOut = valor; }
  // TLS protocol choice.
  TSSLType SSLType() const { return FSSLType; }
  void SetSSLType(TSSLType valor) { FSSLType = valor; }
  // Verify the server's certificate chain, dates and host name (off by default); against the
  // PEM bundle `ArquivoCA` alone when it is not empty, else the system's authorities.
  bool VerificarServidor() const { return FVerificarServidor; }
  void SetVerificarServidor(bool valor) { FVerificarServidor = valor; }
  const std::string& ArquivoCA() const { return FArquivoCA; }
  void SetArquivoCA(const std::string& valor) { FArquivoCA = valor; }
  // HTTP status of the last answer, 0 when none came; kept until the next `Execute`.
  uint32_t HTTPResultCode() const { return FpHTTPResultCode; }
  // Error number of the last `Execute` (see security/erros_http.h), 0 after a success.
  uint32_t InternalErrorCode() const { return FpInternalErrorCode; }

  // "Erro: " and the number, then " - " and its description when one exists.
  [[nodiscard]] virtual std::string ErrorText(uint32_t codigo) const;

  // Posts `Data` to `Url` and puts the whole answer body into `Resp` (emptied first). Never
  // judges the HTTP status. Throws ENivraWinReqResp on any failure; in the base class always
  // (not implemented).
  virtual void Execute(std::string& Resp);
  // Stores `DataMsg` into `Data`, then runs Execute(Resp).
  void Execute(const std::string& DataMsg, std::string& Resp);

  // The run-time class name, as messages show it.
  [[nodiscard]] std::string ClassName() const;

 protected:
  // Records the error number of a failure (0 = none) and the HTTP status the exchange got.
  void CaptureErrorCodes(uint32_t codigo, uint32_t status) {
    FpInternalErrorCode = codigo;
    FpHTTPResultCode = status;
  }
  // Records `codigo` with no HTTP status and throws ENivraWinReqResp with `mensagem`.
  [[noreturn]] void Falhar(uint32_t codigo, const std::string& mensagem);
  // The body as it goes out: `Data`, re-encoded to UTF-8 when `EncodeDataToUTF8` is set.
  [[nodiscard]] std::string CorpoParaEnvio() const;

 private:
  const TCertContext* FCertContext = nullptr;
  bool FEncodeDataToUTF8 = false;
  std::string FSOAPAction;
  std::string FMimeType = "application/soap+xml";
  std::string FCharsets = "utf-8";
  std::string FData;
  std::string FProxyHost;
  std::string FProxyPass;
  std::string FProxyPort;
  std::string FProxyUser;
  TSSLType FSSLType = TSSLType::LT_all;
  bool FVerificarServidor = false;
  std::string FArquivoCA;
  int FTimeOut = 0;
  std::string FUrl;
  uint32_t FpInternalErrorCode = 0;
  uint32_t FpHTTPResultCode = 0;
};

}  // namespace nivra

// Test double for the HTTP role of the security facade: records what it was asked to post and
// answers a canned text, or throws the exception it was given.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "nivranfe/security/dfe_ssl.h"

namespace nivra {

class THttpGravador : public TDFeSSLHttpClass {
 public:
  explicit THttpGravador(TDFeSSL& ssl) : TDFeSSLHttpClass(ssl) {}

  // What every send answers; `Falha` (when set) is thrown instead.
  std::string Resposta;
  std::exception_ptr Falha;
  // Codes reported after a send.
  int CodigoHTTP = 200;
  int CodigoInterno = 0;

  // What the last send received, and how many sends there were.
  std::string URL;
  std::string SoapAction;
  std::string MimeType;
  std::string Corpo;
  int Envios = 0;
  // Whether a certificate was loaded at the moment of the last send.
  bool CertificadoLidoAoEnviar = false;

  int GetHTTPResultCode() override { return FCodigoHTTP; }
  int GetInternalErrorCode() override { return FCodigoInterno; }

  void ConfigurarHTTP(const std::string& AURL, const std::string& ASoapAction,
                      const std::string& AMimeType) override {
    URL = AURL;
    SoapAction = ASoapAction;
    MimeType = AMimeType;
  }

  std::string Enviar(const std::string& ConteudoXML, const std::string& AURL,
                     const std::string& ASoapAction, const std::string& AMimeType) override {
    ConfigurarHTTP(AURL, ASoapAction, AMimeType);
    Corpo = ConteudoXML;
    ++Envios;
    CertificadoLidoAoEnviar = FpDFeSSL.CertificadoLido();
    FCodigoHTTP = CodigoHTTP;
    FCodigoInterno = CodigoInterno;
    if (Falha) std::rethrow_exception(Falha);
    return Resposta;
  }

 private:
  int FCodigoHTTP = 0;
  int FCodigoInterno = 0;
};

}  // namespace nivra

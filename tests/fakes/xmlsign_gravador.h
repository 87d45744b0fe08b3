// Test double for the XML-signature role of the security facade: records what it was asked to
// sign, validate or verify and answers with results the test sets.
#pragma once

#include <string>

#include "nivranfe/security/dfe_ssl.h"

namespace nivra {

class TXmlSignGravador : public TDFeSSLXmlSignClass {
 public:
  explicit TXmlSignGravador(TDFeSSL& ssl) : TDFeSSLXmlSignClass(ssl) {}

  // What `Assinar` returns.
  std::string Assinado;
  // What `Validar` and `VerificarAssinatura` return, and the message they leave.
  bool Resultado = true;
  std::string Mensagem;

  // What the last calls received.
  std::string Recebido;
  std::string MsgErroRecebida;
  std::string ArqSchema;
  int Assinaturas = 0;

  std::string Assinar(const std::string& ConteudoXML, const std::string&, const std::string&,
                      const std::string&, const std::string&, const std::string&,
                      const std::string&) override {
    Recebido = ConteudoXML;
    ++Assinaturas;
    return Assinado;
  }

  bool Validar(const std::string& ConteudoXML, const std::string& Arquivo,
               std::string& MsgErro) override {
    Recebido = ConteudoXML;
    ArqSchema = Arquivo;
    MsgErroRecebida = MsgErro;
    MsgErro = Mensagem;
    return Resultado;
  }

  bool VerificarAssinatura(const std::string& ConteudoXML, std::string& MsgErro, const std::string&,
                           const std::string&, const std::string&, const std::string&,
                           const std::string&) override {
    Recebido = ConteudoXML;
    MsgErroRecebida = MsgErro;
    MsgErro = Mensagem;
    return Resultado;
  }
};

}  // namespace nivra

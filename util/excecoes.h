// Exception types of the fiscal-document component, shared by every folder.
#pragma once

#include <stdexcept>
#include <string>

namespace nivra {

// Raised by the HTTP request objects of the security layer. A sibling of ENivraDFeException
// (both are runtime errors), so a handler of component errors does not catch it by accident.
class ENivraWinReqResp : public std::runtime_error {
 public:
  explicit ENivraWinReqResp(const std::string& msg) : std::runtime_error(msg) {}
};

// The component's error type: carries a Portuguese message, stored unchanged. The failures a
// program must tell apart are the subtypes below, so code can branch on the type.
class ENivraDFeException : public std::runtime_error {
 public:
  explicit ENivraDFeException(const std::string& msg) : std::runtime_error(msg) {}
  // Throws an exception of this object's own type with the message `msg` (used where a failure
  // is reported again with more context, so the type survives the wrapping).
  [[noreturn]] virtual void LancarComMensagem(const std::string& msg) const {
    throw ENivraDFeException(msg);
  }
};

// A subtype of `Base` that re-raises as its own type (`Tipo`).
template <typename Tipo, typename Base = ENivraDFeException>
class TExcecaoNivra : public Base {
 public:
  explicit TExcecaoNivra(const std::string& msg) : Base(msg) {}
  [[noreturn]] void LancarComMensagem(const std::string& msg) const override { throw Tipo(msg); }
};

// Raised by the NF-e services and their container.
class ENivraNFeException : public TExcecaoNivra<ENivraNFeException> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// Raised when a certificate does not allow exporting its private key.
class ENivraDFeExceptionNoPrivateKey : public TExcecaoNivra<ENivraDFeExceptionNoPrivateKey> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The certificate's password or the token's PIN was refused (or the PIN is locked).
class ENivraDFeSenhaInvalida : public TExcecaoNivra<ENivraDFeSenhaInvalida> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The certificate named by the settings (file, serial number in the store) was not found.
class ENivraDFeCertificadoNaoEncontrado : public TExcecaoNivra<ENivraDFeCertificadoNaoEncontrado> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The certificate's validity ended before the component's current date.
class ENivraDFeCertificadoExpirado : public TExcecaoNivra<ENivraDFeCertificadoExpirado> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The authoriser could not be reached: name not resolved, connection refused or reset, TLS
// failure.
class ENivraDFeConexao : public TExcecaoNivra<ENivraDFeConexao> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The request did not end within the configured TimeOut; a kind of connection failure.
class ENivraDFeTempoEsgotado : public TExcecaoNivra<ENivraDFeTempoEsgotado, ENivraDFeConexao> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The authoriser answered with an HTTP status other than success.
class ENivraDFeFalhaHTTP : public TExcecaoNivra<ENivraDFeFalhaHTTP> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// A document or request does not pass its XML schema (or the schema cannot be used).
class ENivraDFeFalhaSchema : public TExcecaoNivra<ENivraDFeFalhaSchema> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

// The authoriser processed the request and refused it (its status code is not a success).
class ENivraDFeRespostaRecusada : public TExcecaoNivra<ENivraDFeRespostaRecusada> {
 public:
  using TExcecaoNivra::TExcecaoNivra;
};

}  // namespace nivra

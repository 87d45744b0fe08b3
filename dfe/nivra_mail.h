// The e-mail component the document component hands messages to: a message holder whose
// sending is provided by a subclass.
#pragma once

#include <string>
#include <vector>

#include "dfe/notificacao_liberacao.h"

// An attachment: either bytes held in memory (Dados, named Nome) or a file on disk (Arquivo).
struct TNivraMailAnexo {
  std::string Nome;
  std::string Dados;
  std::string Arquivo;
};

// One outgoing message. The document component fills it and calls Enviar; a subclass delivers
// it. Components that link to it are told when it is destroyed.
class TNivraMail : public TNotificadorLiberacao {
 public:
  TNivraMail() = default;
  ~TNivraMail() override = default;

  // Empties recipients, copies, reply-to addresses, subject, bodies and attachments.
  void Limpar();

  const std::vector<std::string>& Destinatarios() const { return FDestinatarios; }
  void AdicionarDestinatario(const std::string& Endereco) { FDestinatarios.push_back(Endereco); }
  const std::vector<std::string>& Copias() const { return FCopias; }
  void AdicionarCopia(const std::string& Endereco) { FCopias.push_back(Endereco); }
  const std::vector<std::string>& ResponderPara() const { return FResponderPara; }
  void AdicionarResponderPara(const std::string& Endereco) { FResponderPara.push_back(Endereco); }

  const std::string& Assunto() const { return FAssunto; }
  void SetAssunto(const std::string& Valor) { FAssunto = Valor; }
  // The message body (HTML or plain text).
  const std::string& Corpo() const { return FCorpo; }
  void SetCorpo(const std::string& Valor) { FCorpo = Valor; }
  // The plain-text alternative of the body.
  const std::string& CorpoAlternativo() const { return FCorpoAlternativo; }
  void SetCorpoAlternativo(const std::string& Valor) { FCorpoAlternativo = Valor; }

  const std::vector<TNivraMailAnexo>& Anexos() const { return FAnexos; }
  void LimparAnexos() { FAnexos.clear(); }
  // Attaches `Dados` under the file name `Nome`.
  void AdicionarAnexoDados(const std::string& Dados, const std::string& Nome);
  // Attaches the file `Arquivo`, read when the message is delivered.
  void AdicionarAnexoArquivo(const std::string& Arquivo);

  // Delivers the message. The base class has no transport and throws ENivraDFeException
  // "Método \"Enviar\" não implementado em: " followed by the run-time class name.
  virtual void Enviar();

 private:
  std::vector<std::string> FDestinatarios;
  std::vector<std::string> FCopias;
  std::vector<std::string> FResponderPara;
  std::string FAssunto;
  std::string FCorpo;
  std::string FCorpoAlternativo;
  std::vector<TNivraMailAnexo> FAnexos;
};

// A real SMTP server (aiosmtpd, tests/dfe/servidor_smtp.py) on a free loopback port for a test:
// TLS with the test PKI's server certificate, login required, every message it accepts saved
// in a temporary folder. Stopped and reaped when the object goes away (TProcessoFilho).
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/processo_filho.h"

#ifndef NIVRA_SOURCE_DIR
#error "NIVRA_SOURCE_DIR must name the source tree (the server script lives there)"
#endif

namespace nivra {

class TServidorSMTPTeste {
 public:
  static constexpr const char* Usuario = "loja@exemplo.com.br";
  static constexpr const char* Senha = "Qx7-senha-do-correio";

  // Starts the server; `ssl` chooses TLS from the start instead of STARTTLS. `recusados` are
  // recipients it refuses. Throws std::runtime_error when it does not say it listens in 10 s.
  explicit TServidorSMTPTeste(bool ssl = false, const std::vector<std::string>& recusados = {})
      : FProcesso(Comando(ssl, recusados)) {
    const std::string& linha = FProcesso.PrimeiraLinha();
    if (!linha.starts_with("ouvindo em "))
      throw std::runtime_error("servidor SMTP não iniciou: \"" + linha + "\"");
    FPorta = std::stoi(linha.substr(11));
  }
  TServidorSMTPTeste(const TServidorSMTPTeste&) = delete;
  TServidorSMTPTeste& operator=(const TServidorSMTPTeste&) = delete;

  int Porta() const { return FPorta; }

  // The bytes of the n-th message accepted (from 1), as received after DATA.
  std::string Bruta(int n) const {
    return TPastaTemporaria::Ler(FPasta.Caminho() + std::to_string(n) + ".eml");
  }
  // What the server read from it (see the script); throws when there is no such message.
  nlohmann::json Recebida(int n) const {
    return nlohmann::json::parse(
        TPastaTemporaria::Ler(FPasta.Caminho() + std::to_string(n) + ".json"));
  }

 private:
  std::vector<std::string> Comando(bool ssl, const std::vector<std::string>& recusados) const {
    const std::string pki = PastaPKITeste();
    std::vector<std::string> argumentos{
        "/usr/bin/python3", std::string(NIVRA_SOURCE_DIR) + "/tests/dfe/servidor_smtp.py",
        "--pasta",          FPasta.Caminho(),
        "--cert",           pki + "servidor.pem",
        "--chave",          pki + "servidor.key",
        "--modo",           ssl ? "ssl" : "starttls",
        "--usuario",        Usuario,
        "--senha",          Senha};
    for (const std::string& r : recusados) {
      argumentos.push_back("--recusar");
      argumentos.push_back(r);
    }
    return argumentos;
  }

  TPastaTemporaria FPasta;
  TProcessoFilho FProcesso;
  int FPorta = 0;
};

}  // namespace nivra

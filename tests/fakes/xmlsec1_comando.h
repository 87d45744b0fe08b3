// The independent `xmlsec1` command, for checking our signatures against another
// implementation: it verifies what we sign and signs what we verify. Works in a temporary folder.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"

namespace nivra {

class TXmlSec1 {
 public:
  // Whether `xml` verifies with `xmlsec1 --verify`, the attribute Id of the elements named
  // `elementoId` declared an ID and the test authority trusted.
  bool Verifica(const std::string& xml, const std::string& elementoId) {
    const std::string arquivo = FPasta.Caminho() + "verificar.xml";
    TPastaTemporaria::Escrever(arquivo, xml);
    return Executar("--verify --id-attr:Id " + elementoId + " --trusted-pem " + PastaPKITeste() +
                    "ca.pem " + arquivo) == 0;
  }

  // `modelo` (a document holding an empty signature template) signed by `xmlsec1 --sign` with
  // the key and certificate of the PKI's `nome` ("empresa": empresa.key and empresa.pem); empty
  // when the command fails.
  std::string Assina(const std::string& modelo, const std::string& elementoId,
                     const std::string& nome = "empresa") {
    const std::string entrada = FPasta.Caminho() + "modelo.xml";
    const std::string saida = FPasta.Caminho() + "assinado.xml";
    TPastaTemporaria::Escrever(entrada, modelo);
    const std::string chave = PastaPKITeste() + nome;
    if (Executar("--sign --id-attr:Id " + elementoId + " --privkey-pem " + chave + ".key," + chave +
                 ".pem --output " + saida + " " + entrada) != 0)
      return "";
    return TPastaTemporaria::Ler(saida);
  }

 private:
  static int Executar(const std::string& argumentos) {
    const int estado = std::system(("xmlsec1 " + argumentos + " > /dev/null 2>&1").c_str());
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  }

  TPastaTemporaria FPasta;
};

}  // namespace nivra

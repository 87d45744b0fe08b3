// Listing of a schema folder and choice of the schema file for a request version.
#include "nivranfe/dfe/servicos_schemas.h"

#include <algorithm>

#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

bool TerminaComXsd(const std::string& nome) {
  return nome.size() >= 4 && Maiusculas(nome.substr(nome.size() - 4)) == ".XSD";
}

}  // namespace

std::vector<std::string> ListarArquivosSchema(const std::string& pasta) {
  // Every file of the folder, then those whose extension is ".xsd" in any letter case.
  std::vector<std::string> nomes;
  ListarArquivos(pasta + "*", nomes, false);
  std::erase_if(nomes, [](const std::string& nome) { return !TerminaComXsd(nome); });
  if (nomes.empty()) {
    throw ENivraDFeException("Nenhum arquivo de Schema encontrado na pasta: \r\n" + pasta);
  }
  std::sort(nomes.begin(), nomes.end(), [](const std::string& a, const std::string& b) {
    return Maiusculas(a) < Maiusculas(b);
  });
  return nomes;
}

std::string EscolherArquivoSchema(const std::vector<std::string>& nomes,
                                  std::string_view nomeSchema, double& versao) {
  const double desejada = versao;
  double achada = 0;
  std::string arquivo;

  const std::string exato = desejada == 0 ? std::string(nomeSchema) + ".xsd"
                                          : std::string(nomeSchema) + "_v" +
                                                DecimalParaTexto('.', "0.00", desejada) + ".xsd";
  const auto igual = std::find_if(nomes.begin(), nomes.end(), [&](const std::string& nome) {
    return IguaisSemCaixa(nome, exato);
  });
  if (igual != nomes.end()) {
    arquivo = *igual;
    achada = desejada;
  } else if (desejada > 0) {
    const std::string prefixo = std::string(nomeSchema) + "_v";
    for (const std::string& nome : nomes) {
      if (nome.size() < prefixo.size() + 4 || nome.compare(0, prefixo.size(), prefixo) != 0) {
        continue;
      }
      const double numero =
          TextoParaDecimal(nome.substr(prefixo.size(), nome.size() - prefixo.size() - 4), 0);
      if (numero > 0 && numero > achada && numero <= desejada) {
        achada = numero;
        arquivo = nome;
      }
    }
  }

  versao = achada;
  return arquivo;
}

}  // namespace nivra

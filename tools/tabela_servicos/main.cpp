// nivra-tabela-servicos: checks the services table against a published list of web-service
// addresses, so the table can be kept current when an authority moves its services.
#include <exception>
#include <iostream>
#include <string>

#include "nivranfe/dfe/servicos_ini.h"
#include "nivranfe/resources/recursos.h"
#include "nivranfe/util/texto_arquivo.h"
#include "tools/tabela_servicos/comparacao_tabela.h"
#include "tools/tabela_servicos/lista_referencia.h"

using namespace nivra;

namespace {

constexpr const char* kUso =
    "Uso: nivra-tabela-servicos --modelo 55|65 --lista LISTA.xml --autorizadores MAPA.json\n"
    "                           [--ini NivraNFeServicos.ini]\n"
    "Confere, na versão 4.00, cada endereço da lista com o que a tabela de serviços resolve\n"
    "para a UF (pelo autorizador que a atende). Sem --ini confere a tabela embutida.\n"
    "Saída 0: tudo confere; 1: há diferenças; 2: erro de uso ou de leitura.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string modelo, lista, autorizadores, ini;
  for (int i = 1; i < argc; ++i) {
    const std::string opcao = argv[i];
    if (i + 1 >= argc) {
      std::cerr << kUso;
      return 2;
    }
    const std::string valor = argv[++i];
    if (opcao == "--modelo") {
      modelo = valor;
    } else if (opcao == "--lista") {
      lista = valor;
    } else if (opcao == "--autorizadores") {
      autorizadores = valor;
    } else if (opcao == "--ini") {
      ini = valor;
    } else {
      std::cerr << "Opção desconhecida: " << opcao << "\n" << kUso;
      return 2;
    }
  }
  if (modelo.empty() || lista.empty() || autorizadores.empty()) {
    std::cerr << kUso;
    return 2;
  }

  try {
    const TServicosIni tabela(ini.empty() ? std::string(RecursoNivraNFeServicos())
                                          : LerArquivoTexto(ini));
    const TResultadoComparacao resultado =
        CompararTabela(tabela, ini.empty() ? "NivraNFeServicos" : ini, modelo,
                       LerListaEnderecos(LerArquivoTexto(lista), lista),
                       LerAutorizadores(LerArquivoTexto(autorizadores), modelo));
    for (const TDiferencaTabela& d : resultado.Diferencas) {
      std::cout << "DIFERENTE [" << d.Secao << "] " << d.Servico << "\n  tabela: " << d.NaTabela
                << "\n  lista:  " << d.NaLista << "\n";
    }
    for (const std::string& ignorado : resultado.Ignorados) {
      std::cout << "sem chave na tabela: " << ignorado << "\n";
    }
    std::cout << resultado.Conferidos << " endereços conferidos, " << resultado.Diferencas.size()
              << " diferentes.\n";
    return resultado.Diferencas.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 2;
  }
}

// nivra-exemplos-impressao: prints the example invoice as the documentation shows it.
// Usage: nivra-exemplos-impressao FOLDER [LOGO]  (writes danfe.pdf, danfe-paisagem.pdf,
// danfce-80.pdf and danfce-58.pdf there, the invoice's XML as nfe.xml and, with a logo, the
// DANFE of the invoice issued on a security form in contingency with it,
// danfe-contingencia.pdf)
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "nivranfe/impressao/imagem_pdf.h"
#include "nivranfe/impressao/impressao_danfce.h"
#include "nivranfe/impressao/impressao_danfe.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/datahora.h"
#include "tools/exemplos_impressao/nota_exemplo.h"

using namespace nivra;

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "uso: nivra-exemplos-impressao PASTA [LOGO]\n";
    return 2;
  }
  try {
    const std::string pasta = std::string(argv[1]) + "/";
    const TDateTime criacao = CodificarDataHora(2026, 12, 10, 9, 31, 0);
    const auto gravar = [&pasta](const std::string& nome, const std::string& pdf) {
      std::ofstream arquivo(pasta + nome, std::ios::binary);
      arquivo << pdf;
      if (!arquivo) throw std::runtime_error("não foi possível gravar " + pasta + nome);
      std::cout << pasta + nome << "\n";
    };
    gravar("danfe.pdf", PDFDANFE(NotaExemplo(45), {}, criacao));
    gravar("danfe-paisagem.pdf", PDFDANFE(NotaExemplo(12), {true, false}, criacao));
    gravar("danfce-80.pdf", PDFDANFCE(NotaExemplo(4, "65"), {80, ""}, criacao));
    gravar("danfce-58.pdf", PDFDANFCE(NotaExemplo(4, "65"), {58, ""}, criacao));
    gravar("nfe.xml", GerarXMLNFe(NotaExemplo(12).NFe).XML);
    if (argc == 3) {
      const TImagemPDF logo(LerArquivoBinario(argv[2]));
      TNFeLida contingencia = NotaExemplo(12);
      nfe::Tide& ide = contingencia.NFe.infNFe.ide;
      ide.tpEmis = "5";
      auto& entrada = ide.dhCont_xJust.emplace();
      entrada.dhCont = "2026-12-10T09:10:00-03:00";
      entrada.xJust = "Falha de comunicação com a Sefaz";
      ComporChaveNFe(contingencia.NFe);
      contingencia.protNFe.reset();
      gravar("danfe-contingencia.pdf", PDFDANFE(contingencia, {false, false, &logo}, criacao));
    }
  } catch (const std::exception& erro) {
    std::cerr << "nivra-exemplos-impressao: " << erro.what() << "\n";
    return 1;
  }
  return 0;
}

// nivra-exemplos-impressao: prints the example invoice as the documentation shows it.
// Usage: nivra-exemplos-impressao FOLDER  (writes danfe.pdf, danfe-paisagem.pdf, danfce-80.pdf
// and danfce-58.pdf there)
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "impressao/impressao_danfce.h"
#include "impressao/impressao_danfe.h"
#include "tools/exemplos_impressao/nota_exemplo.h"
#include "util/datahora.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: nivra-exemplos-impressao PASTA\n";
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
  } catch (const std::exception& erro) {
    std::cerr << "nivra-exemplos-impressao: " << erro.what() << "\n";
    return 1;
  }
  return 0;
}

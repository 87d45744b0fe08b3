// Reads a PDF back the way a person or a scanner would, with poppler-utils and zbar-tools:
// its text, its page count, its fonts and images, and the codes found on a page rendered to an
// image.
#pragma once

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

class TLeituraPDF {
 public:
  explicit TLeituraPDF(const std::string& pdf) : FArquivo(FPasta.Caminho() + "documento.pdf") {
    std::ofstream(FArquivo, std::ios::binary) << pdf;
  }

  // The text in reading order with the page's layout kept (pdftotext -layout).
  std::string Texto() const { return Rodar("pdftotext -layout -enc UTF-8 '" + FArquivo + "' -"); }
  // The text in the order it was drawn (pdftotext -raw: each field's title, then its value)
  // with every run of blanks and line breaks made one space, for phrases that wrap.
  std::string TextoCorrido() const {
    std::string corrido;
    for (const char c : Rodar("pdftotext -raw -enc UTF-8 '" + FArquivo + "' -")) {
      const bool branco = c == ' ' || c == '\n' || c == '\r' || c == '\f';
      if (!branco)
        corrido += c;
      else if (!corrido.empty() && corrido.back() != ' ')
        corrido += ' ';
    }
    return corrido;
  }
  // The text drawn without any blank or line break: text drawn across the page (a watermark)
  // comes back one letter per line.
  std::string TextoSemBrancos() const {
    std::string texto;
    for (const char c : Rodar("pdftotext -raw -enc UTF-8 '" + FArquivo + "' -")) {
      if (c != ' ' && c != '\n' && c != '\r' && c != '\f') texto += c;
    }
    return texto;
  }
  // The words with their boxes in points (pdftotext -bbox), as the XHTML lines it writes.
  std::string Palavras() const { return Rodar("pdftotext -bbox '" + FArquivo + "' -"); }
  int Paginas() const {
    const std::string info = Rodar("pdfinfo '" + FArquivo + "'");
    const size_t p = info.find("Pages:");
    return p == std::string::npos ? -1 : std::stoi(info.substr(p + 6));
  }
  // An image placed on a page, as pdfimages lists it: its pixels, how they are stored ("image"
  // for decoded pixels, "jpeg" for a JPEG kept as it was) and its resolution on the page.
  struct TImagem {
    int Pagina = 0;
    int Largura = 0;
    int Altura = 0;
    std::string Codificacao;
    int PpiX = 0;
    int PpiY = 0;
  };
  std::vector<TImagem> Imagens() const {
    std::vector<TImagem> imagens;
    std::istringstream linhas(Rodar("pdfimages -list '" + FArquivo + "'"));
    std::string linha;
    while (std::getline(linhas, linha)) {
      std::istringstream campos(linha);
      std::vector<std::string> c;
      for (std::string campo; campos >> campo;) c.push_back(campo);
      if (c.size() < 14 || c[2] != "image" || !std::isdigit(static_cast<unsigned char>(c[0][0])))
        continue;
      imagens.push_back({std::stoi(c[0]), std::stoi(c[3]), std::stoi(c[4]), c[8], std::stoi(c[12]),
                         std::stoi(c[13])});
    }
    return imagens;
  }
  // The first page's width and height in millimetres (pdfinfo's page size).
  double LarguraMm() const { return Medida(0); }
  double AlturaMm() const { return Medida(1); }
  // pdffonts' table: one line per font, "yes" in the emb column when embedded.
  std::string Fontes() const { return Rodar("pdffonts '" + FArquivo + "'"); }
  // The codes zbarimg finds on page `pagina` rendered at `dpi`, as "CODE-128:..." or
  // "QR-Code:..." lines.
  std::vector<std::string> Codigos(int pagina = 1, int dpi = 200) const {
    const std::string png = FPasta.Caminho() + "pagina";
    (void)Rodar("pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(pagina) + " -l " +
                std::to_string(pagina) + " -singlefile -png '" + FArquivo + "' '" + png + "'");
    std::vector<std::string> codigos;
    std::string linha;
    for (const char c : Rodar("zbarimg -q '" + png + ".png'")) {
      if (c != '\n') {
        linha += c;
      } else {
        codigos.push_back(linha);
        linha.clear();
      }
    }
    return codigos;
  }

 private:
  // The page size's `n`-th number ("Page size: 595.28 x 841.89 pts") in millimetres.
  double Medida(int n) const {
    std::istringstream info(Rodar("pdfinfo '" + FArquivo + "'"));
    for (std::string linha; std::getline(info, linha);) {
      if (!linha.starts_with("Page size:")) continue;
      std::istringstream medidas(linha.substr(10));
      double largura = 0;
      double altura = 0;
      std::string x;
      medidas >> largura >> x >> altura;
      return (n == 0 ? largura : altura) * 25.4 / 72;
    }
    return -1;
  }

  static std::string Rodar(const std::string& comando) {
    std::string saida;
    FILE* p = ::popen((comando + " 2>/dev/null").c_str(), "r");
    if (p == nullptr) return saida;
    char bloco[4096];
    for (size_t n; (n = std::fread(bloco, 1, sizeof bloco, p)) > 0;) saida.append(bloco, n);
    ::pclose(p);
    return saida;
  }

  TPastaTemporaria FPasta;
  std::string FArquivo;
};

}  // namespace nivra

// Where downloaded NF-e documents are saved.
#pragma once

#include <string>

namespace nivra {

// Folder of downloaded documents and whether each sender gets its own sub-folder.
class TDownloadConfNFe {
 public:
  // Folder of downloaded documents; empty means PathSalvar (stored on first use).
  const std::string& PathDownload() const { return FPathDownload; }
  void SetPathDownload(const std::string& Valor) { FPathDownload = Valor; }
  // Put each sender's documents in a folder named after the sender.
  bool SepararPorNome() const { return FSepararPorNome; }
  void SetSepararPorNome(bool Valor) { FSepararPorNome = Valor; }
  // Copies PathDownload and SepararPorNome from `Origem`.
  void Assign(const TDownloadConfNFe& Origem) {
    FPathDownload = Origem.FPathDownload;
    FSepararPorNome = Origem.FSepararPorNome;
  }

 private:
  std::string FPathDownload;
  bool FSepararPorNome = false;
};

}  // namespace nivra

// The file group of the NF-e configuration: base folders of documents, voidings, events and
// downloads, and the folders built from them.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/dfe/arquivos_conf.h"
#include "nivranfe/dfe/download_conf_nfe.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// Returns the folder name of the event type ("CCe", "Cancelamento", ...; both EPEC types give
// "EPEC").
std::string NomePastaEvento(TkovTpEvento tipoEvento);

// NF-e file settings.
class TArquivosConfNFe : public TArquivosConf {
 public:
  TArquivosConfNFe(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL);
  // Frees DownloadNFe before the base part.
  ~TArquivosConfNFe() override;

  using TArquivosConf::Assign;
  // The base copy, then EmissaoPathNFe, SalvarEvento, SalvarApenasNFeProcessadas, PathNFe,
  // PathInu, PathEvento and DownloadNFe. Throws as the base copy.
  void Assign(TArquivosConfNFe& DeArquivosConfNFe);

  // Folder of NF-e/NFC-e documents: Modelo 0 names the component's model, 55 "NFe", 65 "NFCe";
  // the model name is both the model level and the literal. Throws as GetPath.
  std::string GetPathNFe(TDateTime Data = 0, const std::string& CNPJ = "", int Modelo = 0);
  // Folder of number-range voidings (literal "Inu", dated today). Throws as GetPath.
  std::string GetPathInu(const std::string& CNPJ = "");
  // Folder of events (literal "Evento"), followed by the event type's folder when
  // AdicionarLiteral is on; created when missing. Throws as GetPath.
  std::string GetPathEvento(TkovTpEvento tipoEvento, const std::string& CNPJ = "",
                            TDateTime Data = 0);
  // Folder of downloaded documents (literal "Down") below DownloadNFe.PathDownload (PathSalvar
  // when empty, stored), in a folder named after xNome's letters and digits when
  // DownloadNFe.SepararPorNome is on. Throws as GetPath.
  std::string GetPathDownload(const std::string& xNome = "", const std::string& CNPJ = "",
                              TDateTime Data = 0);

  // Dated folders use the document's emission date instead of today.
  bool EmissaoPathNFe() const { return FEmissaoPathNFe; }
  void SetEmissaoPathNFe(bool Valor) { FEmissaoPathNFe = Valor; }
  // The distribution service also saves the events it receives.
  bool SalvarEvento() const { return FSalvarEvento; }
  void SetSalvarEvento(bool Valor) { FSalvarEvento = Valor; }
  bool SalvarApenasNFeProcessadas() const { return FSalvarApenasNFeProcessadas; }
  void SetSalvarApenasNFeProcessadas(bool Valor) { FSalvarApenasNFeProcessadas = Valor; }
  const std::string& PathNFe() const { return FPathNFe; }
  void SetPathNFe(const std::string& Valor) { FPathNFe = Valor; }
  const std::string& PathInu() const { return FPathInu; }
  void SetPathInu(const std::string& Valor) { FPathInu = Valor; }
  const std::string& PathEvento() const { return FPathEvento; }
  void SetPathEvento(const std::string& Valor) { FPathEvento = Valor; }
  TDownloadConfNFe& DownloadNFe() { return *FDownloadNFe; }
  const TDownloadConfNFe& DownloadNFe() const { return *FDownloadNFe; }

 private:
  bool FEmissaoPathNFe = false;
  bool FSalvarEvento = false;
  bool FSalvarApenasNFeProcessadas = false;
  std::string FPathNFe;
  std::string FPathInu;
  std::string FPathEvento;
  std::unique_ptr<TDownloadConfNFe> FDownloadNFe;
};

}  // namespace nivra

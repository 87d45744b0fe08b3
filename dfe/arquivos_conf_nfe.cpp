// The file group of the NF-e configuration.
#include "nivranfe/dfe/arquivos_conf_nfe.h"

#include <array>
#include <filesystem>

#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// Indexed by the ordinal of TkovTpEvento.
constexpr std::array<const char*, 36> kPastasEvento{"CCe",
                                                    "Cancelamento",
                                                    "Confirmacao",
                                                    "Ciencia",
                                                    "Desconhecimento",
                                                    "NaoRealizada",
                                                    "Encerramento",
                                                    "EPEC",
                                                    "IncCondutor",
                                                    "Multimodal",
                                                    "RegPassagem",
                                                    "RegPassagemBRId",
                                                    "EPEC",
                                                    "RegCTe",
                                                    "RegPassagemNFeCancelado",
                                                    "RegPassagemNFeRFID",
                                                    "CTeCancelado",
                                                    "MDFeCancelado",
                                                    "VistoriaSuframa",
                                                    "PedProrrog1",
                                                    "PedProrrog2",
                                                    "CanPedProrrog1",
                                                    "CanPedProrrog2",
                                                    "EventoFiscoPP1",
                                                    "EventoFiscoPP2",
                                                    "EventoFiscoCPP1",
                                                    "EventoFiscoCPP2",
                                                    "RegPassagemNFe",
                                                    "ConfInternalizacao",
                                                    "CTeAutorizado",
                                                    "MDFeAutorizado",
                                                    "PrestDesacordo",
                                                    "GTV",
                                                    "MDFeAutorizado2",
                                                    "NaoEmbarque",
                                                    "MDFeCancelado2"};

static_assert(kPastasEvento.size() == static_cast<std::size_t>(TkovTpEvento::teMDFeCancelado2) + 1,
              "one folder name per event type");

}  // namespace

std::string NomePastaEvento(TkovTpEvento tipoEvento) {
  return kPastasEvento.at(static_cast<std::size_t>(tipoEvento));
}

TArquivosConfNFe::TArquivosConfNFe(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL)
    : TArquivosConf(AConfiguracoes, ASSL), FDownloadNFe(std::make_unique<TDownloadConfNFe>()) {}

TArquivosConfNFe::~TArquivosConfNFe() { FDownloadNFe.reset(); }

void TArquivosConfNFe::Assign(TArquivosConfNFe& DeArquivosConfNFe) {
  TArquivosConf::Assign(DeArquivosConfNFe);
  FEmissaoPathNFe = DeArquivosConfNFe.FEmissaoPathNFe;
  FSalvarEvento = DeArquivosConfNFe.FSalvarEvento;
  FSalvarApenasNFeProcessadas = DeArquivosConfNFe.FSalvarApenasNFeProcessadas;
  FPathNFe = DeArquivosConfNFe.FPathNFe;
  FPathInu = DeArquivosConfNFe.FPathInu;
  FPathEvento = DeArquivosConfNFe.FPathEvento;
  FDownloadNFe->Assign(*DeArquivosConfNFe.FDownloadNFe);
}

std::string TArquivosConfNFe::GetPathNFe(TDateTime Data, const std::string& CNPJ, int Modelo) {
  std::string modelo;
  if (Modelo == 0)
    modelo = Configuracoes().Owner().GetNomeModeloDFe();
  else if (Modelo == 55)
    modelo = "NFe";
  else if (Modelo == 65)
    modelo = "NFCe";
  return GetPath(FPathNFe, modelo, CNPJ, Data, modelo);
}

std::string TArquivosConfNFe::GetPathInu(const std::string& CNPJ) {
  return GetPath(FPathInu, "Inu", CNPJ);
}

std::string TArquivosConfNFe::GetPathEvento(TkovTpEvento tipoEvento, const std::string& CNPJ,
                                            TDateTime Data) {
  std::string dir = GetPath(FPathEvento, "Evento", CNPJ, Data);
  if (AdicionarLiteral()) {
    dir = CaminhoComBarra(dir) + NomePastaEvento(tipoEvento);
    // As with GetPath, a folder that cannot be created shows up when a file is written there.
    std::error_code erro;
    std::filesystem::create_directories(dir, erro);
  }
  return dir;
}

std::string TArquivosConfNFe::GetPathDownload(const std::string& xNome, const std::string& CNPJ,
                                              TDateTime Data) {
  if (FDownloadNFe->PathDownload().empty()) FDownloadNFe->SetPathDownload(PathSalvar());
  std::string base = FDownloadNFe->PathDownload();
  if (FDownloadNFe->SepararPorNome() && !xNome.empty())
    base = CaminhoComBarra(base) + SomenteLetrasEDigitos(xNome);
  return GetPath(base, "Down", CNPJ, Data);
}

}  // namespace nivra

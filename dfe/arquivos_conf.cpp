// The file group of the configuration and the document folders built from it.
#include "nivranfe/dfe/arquivos_conf.h"

#include <filesystem>

#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/dados_instalados.h"
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// The stored folder, or `padrao` below the executable's folder when empty; trimmed, with "/".
std::string PastaComPadrao(std::string& Armazenado, const char* padrao) {
  if (Armazenado.empty()) Armazenado = PastaDoExecutavel() + padrao;
  Armazenado = CaminhoComBarra(Armazenado);
  return Armazenado;
}

}  // namespace

TArquivosConf::TArquivosConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL)
    : fpConfiguracoes(AConfiguracoes),
      FSSL(ASSL),
      FOrdenacaoPath(std::make_unique<TOrdenacaoPath>()) {}

TArquivosConf::~TArquivosConf() = default;

void TArquivosConf::Assign(TArquivosConf& DeArquivosConf) {
  FPathSalvar = DeArquivosConf.PathSalvar();
  FPathSchemas = DeArquivosConf.PathSchemas();
  FIniServicos = DeArquivosConf.IniServicos();
  FSalvar = DeArquivosConf.FSalvar;
  FAdicionarLiteral = DeArquivosConf.FAdicionarLiteral;
  FSepararPorCNPJ = DeArquivosConf.FSepararPorCNPJ;
  FSepararPorModelo = DeArquivosConf.FSepararPorModelo;
  SetSepararPorMes(DeArquivosConf.FSepararPorMes);
  SetSepararPorDia(DeArquivosConf.FSepararPorDia);
  FOrdenacaoPath->Clear();
  for (std::size_t i = 0; i < DeArquivosConf.FOrdenacaoPath->Count(); ++i)
    FOrdenacaoPath->Add().Assign(DeArquivosConf.FOrdenacaoPath->Items(i));
}

std::string TArquivosConf::PathSalvar() { return PastaComPadrao(FPathSalvar, "Docs"); }

std::string TArquivosConf::PathSchemas() {
  // An installed program finds the schemas where the package put them.
  if (FPathSchemas.empty()) FPathSchemas = LocalPadrao("Schemas", "schemas");
  return PastaComPadrao(FPathSchemas, "Schemas");
}

std::string TArquivosConf::IniServicos() {
  if (FIniServicos.empty()) {
    const std::string nome = fpConfiguracoes.WebServices().ResourceName() + ".ini";
    FIniServicos = LocalPadrao(nome, nome);
  }
  return FIniServicos;
}

void TArquivosConf::SetSepararPorMes(bool Valor) {
  FSepararPorMes = Valor;
  if (!Valor) FSepararPorDia = false;
}

void TArquivosConf::SetSepararPorDia(bool Valor) {
  FSepararPorDia = Valor;
  if (Valor) FSepararPorMes = true;
}

void TArquivosConf::PreencherOrdenacaoPath() {
  if (FSepararPorCNPJ) FOrdenacaoPath->Add().SetItem(TTagOrdenacaoPath::opCNPJ);
  if (FSepararPorModelo) FOrdenacaoPath->Add().SetItem(TTagOrdenacaoPath::opModelo);
  if (FSepararPorAno || FSepararPorMes || FSepararPorDia)
    FOrdenacaoPath->Add().SetItem(TTagOrdenacaoPath::opData);
  if (FAdicionarLiteral) FOrdenacaoPath->Add().SetItem(TTagOrdenacaoPath::opLiteral);
}

std::string TArquivosConf::CaracteresCNPJ(const std::string& CNPJ) {
  std::string caracteres = SomenteLetrasEDigitos(CNPJ);
  if (!caracteres.empty()) return caracteres;
  // Only a configured certificate is asked: reading the CNPJ loads it.
  const TCertificadosConf& certificados = fpConfiguracoes.Certificados();
  if (certificados.NumeroSerie().empty() && certificados.ArquivoPFX().empty() &&
      certificados.DadosPFX().empty())
    return {};
  return SomenteLetrasEDigitos(FSSL.CertCNPJ());
}

std::string TArquivosConf::GetPath(const std::string& APath, const std::string& ALiteral,
                                   const std::string& CNPJ, TDateTime Data,
                                   const std::string& ModeloDescr) {
  std::string dir = APath.empty() ? PathSalvar() : APath;
  if (FOrdenacaoPath->Count() == 0) PreencherOrdenacaoPath();

  for (std::size_t i = 0; i < FOrdenacaoPath->Count(); ++i) {
    switch (FOrdenacaoPath->Items(i).Item()) {
      case TTagOrdenacaoPath::opCNPJ: {
        const std::string caracteres = CaracteresCNPJ(CNPJ);
        if (!caracteres.empty()) dir = CaminhoComBarra(dir) + caracteres;
        break;
      }
      case TTagOrdenacaoPath::opModelo: {
        const std::string modelo =
            ModeloDescr.empty() ? fpConfiguracoes.Owner().GetNomeModeloDFe() : ModeloDescr;
        dir = CaminhoComBarra(dir) + modelo;
        break;
      }
      case TTagOrdenacaoPath::opData: {
        if (Data == 0) Data = fpConfiguracoes.Owner().Agora();
        if (FSepararPorAno) dir = CaminhoComBarra(dir) + FormatarData("yyyy", Data);
        if (FSepararPorMes) {
          dir = CaminhoComBarra(dir) + FormatarData(FSepararPorAno ? "mm" : "yyyymm", Data);
          if (FSepararPorDia) dir = CaminhoComBarra(dir) + FormatarData("dd", Data);
        }
        break;
      }
      case TTagOrdenacaoPath::opLiteral:
        if (!ALiteral.empty() && !dir.ends_with(ALiteral)) dir = CaminhoComBarra(dir) + ALiteral;
        break;
      case TTagOrdenacaoPath::opNenhum:
        break;
    }
  }

  // A folder that cannot be created shows up when a file is written into it.
  std::error_code erro;
  std::filesystem::create_directories(dir, erro);
  return dir;
}

}  // namespace nivra

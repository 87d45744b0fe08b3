// Service names and request schemas of the web-service layouts.
#include "nivranfe/util/layout.h"

#include <array>

#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

using enum TLayOut;
using enum TSchemaNFe;

struct TLinhaLayOut {
  TLayOut LayOut;
  std::string_view Servico;
  TSchemaNFe Schema;
};

constexpr std::array<TLinhaLayOut, 17> kLayOuts = {{
    {LayNfeRecepcao, "NfeRecepcao", schNfe},
    {LayNfeRetRecepcao, "NfeRetRecepcao", schconsReciNFe},
    {LayNfeCancelamento, "NfeCancelamento", schcancNFe},
    {LayNfeInutilizacao, "NfeInutilizacao", schInutNFe},
    {LayNfeConsulta, "NfeConsultaProtocolo", schconsSitNFe},
    {LayNfeStatusServico, "NfeStatusServico", schconsStatServ},
    {LayNfeCadastro, "NfeConsultaCadastro", schconsCad},
    {LayNFeCCe, "RecepcaoEvento", schenvEvento},
    {LayNFeEvento, "RecepcaoEvento", schenvEvento},
    {LayNFeEventoAN, "RecepcaoEvento", schenvEvento},
    {LayNFeConsNFeDest, "NfeConsultaDest", schconsNFeDest},
    {LayNFeDownloadNFe, "NfeDownloadNF", schdownloadNFe},
    {LayNfeAutorizacao, "NfeAutorizacao", schNfe},
    {LayNfeRetAutorizacao, "NfeRetAutorizacao", schretEnviNFe},
    {LayAdministrarCSCNFCe, "AdministrarCSCNFCe", schadmCscNFCe},
    {LayDistDFeInt, "NFeDistribuicaoDFe", schdistDFeInt},
    {LayNFCeEPEC, "EventoEPEC", scheventoEPEC},
}};

// The value names of TSchemaNFe, in declared order.
constexpr std::array<std::string_view, 23> kNomesSchema = {
    "schErro",           "schNfe",        "schcancNFe",
    "schInutNFe",        "schEnvCCe",     "schEnvEventoCancNFe",
    "schEnvConfRecebto", "schEnvEPEC",    "schresNFe",
    "schresEvento",      "schprocNFe",    "schprocEventoNFe",
    "schconsReciNFe",    "schconsSitNFe", "schconsStatServ",
    "schconsCad",        "schenvEvento",  "schconsNFeDest",
    "schdownloadNFe",    "schretEnviNFe", "schadmCscNFCe",
    "schdistDFeInt",     "scheventoEPEC"};

template <typename T, size_t N, typename Campo>
constexpr std::array<T, N> Coluna(Campo campo) {
  std::array<T, N> coluna{};
  for (size_t i = 0; i < N; ++i) coluna[i] = kLayOuts[i].*campo;
  return coluna;
}

constexpr auto kValoresLayOut = Coluna<TLayOut, 17>(&TLinhaLayOut::LayOut);
constexpr auto kServicos = Coluna<std::string_view, 17>(&TLinhaLayOut::Servico);

}  // namespace

std::string LayOutParaServico(TLayOut valor) {
  return EnumParaTexto<TLayOut>(valor, kServicos, kValoresLayOut);
}

TLayOut ServicoParaLayOut(bool& ok, std::string_view servico) {
  return TextoParaEnum<TLayOut>(ok, servico, kServicos, kValoresLayOut);
}

TSchemaNFe LayOutParaSchema(TLayOut valor) {
  for (const TLinhaLayOut& linha : kLayOuts) {
    if (linha.LayOut == valor) return linha.Schema;
  }
  return schErro;
}

std::string SchemaParaTexto(TSchemaNFe valor) {
  const auto ordinal = static_cast<size_t>(valor);
  if (ordinal >= kNomesSchema.size()) return {};
  return std::string(kNomesSchema[ordinal].substr(3));
}

int32_t TextoParaSchema(std::string_view texto) {
  std::string nome(texto.substr(0, texto.find('_')));
  if (!nome.starts_with("sch")) nome.insert(0, "sch");
  for (size_t i = 0; i < kNomesSchema.size(); ++i) {
    if (IguaisSemCaixa(kNomesSchema[i], nome)) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace nivra

// Layouts of the event and voiding prints.
#include "nivranfe/impressao/impressao_eventos.h"

#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/impressao/documento_pdf.h"
#include "nivranfe/impressao/formatacao_impressao.h"
#include "nivranfe/impressao/formulario_pdf.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

constexpr double kLarguraA4 = 210;
constexpr double kAlturaA4 = 297;
constexpr double kMargem = 8;
constexpr double kLinha = 9;  // height of a row of fields

std::string TituloEvento(const TEventoImpresso& e) {
  if (e.tpEvento == "110110") return "CARTA DE CORREÇÃO ELETRÔNICA";
  if (e.tpEvento == "110111") return "CANCELAMENTO DE NF-e";
  if (e.tpEvento == "110112") return "CANCELAMENTO DE NF-e POR SUBSTITUIÇÃO";
  return "EVENTO DE NF-e";
}

// A field of the key: the characters from `inicio`, `n` of them; empty for a short key.
std::string ParteChave(std::string_view chave, size_t inicio, size_t n) {
  return chave.size() >= inicio + n ? std::string(chave.substr(inicio, n)) : std::string();
}

// A number as the DANFE prints it: nine digits in groups of three ("000.000.123").
std::string NumeroNota(std::string_view nNF) {
  if (nNF.size() != 9) return std::string(nNF);
  return std::string(nNF.substr(0, 3)) + "." + std::string(nNF.substr(3, 3)) + "." +
         std::string(nNF.substr(6, 3));
}

std::string SemZerosAEsquerda(std::string_view numero) {
  const size_t primeiro = numero.find_first_not_of('0');
  return primeiro == std::string_view::npos ? (numero.empty() ? "" : "0")
                                            : std::string(numero.substr(primeiro));
}

std::string CodigoEDescricao(std::string_view codigo, std::string_view descricao) {
  if (descricao.empty()) return std::string(codigo);
  return std::string(codigo) + " - " + std::string(descricao);
}

std::string NomeUF(std::string_view cUF) {
  const bool codigo =
      cUF.size() == 2 && cUF[0] >= '0' && cUF[0] <= '9' && cUF[1] >= '0' && cUF[1] <= '9';
  const std::string sigla = codigo ? CUFParaSigla((cUF[0] - '0') * 10 + (cUF[1] - '0')) : "";
  return sigla.empty() ? std::string(cUF) : std::string(cUF) + " - " + sigla;
}

// Title box at the top of the page: the form's name and what it is.
void Cabecalho(TFormularioPDF& f, const std::string& titulo, const std::string& subtitulo) {
  TDocumentoPDF& d = f.Documento();
  const double altura = 16;
  d.Retangulo({kMargem, f.Y(), f.LarguraUtil(), altura}, 0.3);
  d.Texto({kMargem + 2, f.Y() + 2, f.LarguraUtil() - 4, 7}, titulo, {"Liberation Serif", 14, true},
          TAlinhamentoPDF::Centro);
  d.Texto({kMargem + 2, f.Y() + 9.5, f.LarguraUtil() - 4, 5}, subtitulo,
          {"Liberation Serif", 8, false}, TAlinhamentoPDF::Centro);
  f.Espaco(altura + 2);
}

void MarcaHomologacao(TFormularioPDF& f, std::string_view tpAmb) {
  if (tpAmb != "2") return;
  f.Espaco(1);
  f.Documento().Texto({kMargem, f.Y(), f.LarguraUtil(), 5},
                      "EMITIDO EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL",
                      {"Liberation Serif", 9, true}, TAlinhamentoPDF::Centro);
  f.Espaco(5);
}

void BlocoNota(TFormularioPDF& f, const std::string& chave) {
  f.TituloBloco("Nota fiscal eletrônica");
  f.LinhaCampos(
      {{"Modelo", ParteChave(chave, 20, 2), 0.6},
       {"Série", SemZerosAEsquerda(ParteChave(chave, 22, 3)), 0.6},
       {"Número", NumeroNota(ParteChave(chave, 25, 9)), 1},
       {"Mês/ano da emissão", ParteChave(chave, 4, 2) + "/20" + ParteChave(chave, 2, 2), 1},
       {"CNPJ do emitente", FormatarCNPJCPF(ParteChave(chave, 6, 14)), 1.6}},
      kLinha);
  // The key as a bar code and in groups below it.
  TDocumentoPDF& d = f.Documento();
  const double altura = 22;
  d.Retangulo({kMargem, f.Y(), f.LarguraUtil(), altura});
  d.Texto({kMargem + 0.6, f.Y() + 0.3, 40, 3}, "CHAVE DE ACESSO", f.Estilo().TituloCampo);
  d.CodigoBarras128({kMargem + (f.LarguraUtil() - 120) / 2, f.Y() + 3.5, 120, 12}, chave);
  d.Texto({kMargem, f.Y() + 16.5, f.LarguraUtil(), 5}, FormatarChaveAcesso(chave),
          {"Liberation Mono", 10, true}, TAlinhamentoPDF::Centro);
  f.Espaco(altura + 2);
}

}  // namespace

std::string PDFEvento(const TEventoImpresso& e, TDateTime Criacao) {
  TDocumentoPDF d(kLarguraA4, kAlturaA4, TituloEvento(e), Criacao);
  TFormularioPDF f(d, kMargem);
  Cabecalho(f, TituloEvento(e),
            "Representação impressa de evento da NF-e. A autenticidade pode ser consultada pela "
            "chave de acesso no portal da NF-e.");
  MarcaHomologacao(f, e.tpAmb);
  BlocoNota(f, e.chNFe);

  f.TituloBloco("Evento");
  f.LinhaCampos({{"Tipo do evento", CodigoEDescricao(e.tpEvento, e.descEvento), 2.4},
                 {"Sequência", e.nSeqEvento, 0.6},
                 {"Data e hora do evento", FormatarDataHoraXML(e.dhEvento), 1.2},
                 {"Órgão", e.cOrgao, 0.5},
                 {"Ambiente", DescricaoAmbiente(e.tpAmb), 1}},
                kLinha);
  f.LinhaCampos({{"CNPJ/CPF do autor", FormatarCNPJCPF(e.CNPJCPF), 1.2},
                 {"Versão do evento", e.verEvento, 0.6},
                 {"Identificador", e.Id, 2.6}},
                kLinha);
  f.Espaco(2);

  f.TituloBloco("Registro do evento");
  if (e.cStat.empty()) {
    f.CampoTexto("Situação", "EVENTO SEM REGISTRO: este documento não traz a resposta da SEFAZ.",
                 kLinha);
  } else {
    f.LinhaCampos({{"Situação", CodigoEDescricao(e.cStat, e.xMotivo), 2.4},
                   {"Protocolo", e.nProtEvento, 1.2},
                   {"Data e hora do registro", FormatarDataHoraXML(e.dhRegEvento), 1.2}},
                  kLinha);
  }
  f.Espaco(2);

  if (e.tpEvento == "110110") {
    f.TituloBloco("Correção");
    f.CampoTexto("Texto da correção", e.xCorrecao, 30);
    f.Espaco(2);
    f.TituloBloco("Condições de uso");
    f.CampoTexto("Condições de uso da carta de correção", e.xCondUso, 20);
  } else if (e.tpEvento == "110111" || e.tpEvento == "110112") {
    f.TituloBloco("Cancelamento");
    std::vector<TCampoPDF> campos{{"Protocolo de autorização da NF-e cancelada", e.nProt, 1}};
    if (!e.chNFeRef.empty())
      campos.push_back({"Chave da NF-e substituta", FormatarChaveAcesso(e.chNFeRef), 2});
    f.LinhaCampos(campos, kLinha);
    f.CampoTexto("Justificativa", e.xJust, 20);
  }
  if (e.tpAmb == "2") d.MarcaDagua("SEM VALOR FISCAL", 60);
  return d.Terminar();
}

std::string PDFInutilizacao(const TInutilizacaoImpressa& i, TDateTime Criacao) {
  TDocumentoPDF d(kLarguraA4, kAlturaA4, "INUTILIZAÇÃO DE NUMERAÇÃO", Criacao);
  TFormularioPDF f(d, kMargem);
  Cabecalho(f, "INUTILIZAÇÃO DE NUMERAÇÃO DE NF-e",
            "Representação impressa do pedido de inutilização de números de NF-e e da resposta "
            "da SEFAZ.");
  MarcaHomologacao(f, i.tpAmb);

  f.TituloBloco("Emitente");
  f.LinhaCampos({{"CNPJ/CPF", FormatarCNPJCPF(i.CNPJ), 1.5},
                 {"UF", NomeUF(i.cUF), 1},
                 {"Ano", i.ano.size() == 2 ? "20" + i.ano : i.ano, 0.6},
                 {"Ambiente", DescricaoAmbiente(i.tpAmb), 1}},
                kLinha);
  f.Espaco(2);
  f.TituloBloco("Numeração inutilizada");
  f.LinhaCampos({{"Modelo", i.mod, 0.6},
                 {"Série", i.serie, 0.6},
                 {"Número inicial", i.nNFIni, 1},
                 {"Número final", i.nNFFin, 1}},
                kLinha);
  f.CampoTexto("Justificativa", i.xJust, 20);
  f.Espaco(2);
  f.TituloBloco("Protocolo");
  if (i.cStat.empty()) {
    f.CampoTexto("Situação",
                 "INUTILIZAÇÃO SEM REGISTRO: este documento não traz a resposta da SEFAZ.", kLinha);
  } else {
    f.LinhaCampos({{"Situação", CodigoEDescricao(i.cStat, i.xMotivo), 2.2},
                   {"Protocolo", i.nProt, 1.2},
                   {"Data e hora do recebimento", FormatarDataHoraXML(i.dhRecbto), 1.2}},
                  kLinha);
  }
  if (!i.Id.empty()) {
    f.Espaco(1);
    f.LinhaCampos({{"Identificador", i.Id, 1}}, kLinha);
  }
  if (i.tpAmb == "2") d.MarcaDagua("SEM VALOR FISCAL", 60);
  return d.Terminar();
}

}  // namespace nivra
